// Arbitrary bytes as a client's stream to the language server, cut in two reads: every message
// the server writes is one JSON object, whatever the framing and the requests.
#include "fuzzcheck.h"
#include "fuzzsupport.h"
#include "tools/vorpen-lsp/languageserver.h"
#include "tools/vorpen-lsp/messagereader.h"

#include <QCoreApplication>
#include <QJsonDocument>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startCoreApplication();
    return 0;
}

static void drain(MessageReader &reader, LanguageServer &server)
{
    reader.deliver([&server](const QByteArray &body) { server.receive(body); },
                   [&server](const QString &error) { server.refuseFraming(error); });
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), int(size));
    // Analyses are slow next to reading; inputs with an even first byte end before any starts,
    // so that the reader and the dispatcher see many more inputs.
    const bool analyse = input.isEmpty() || (uchar(input.at(0)) & 1);
    LanguageServer server(
        [](const QByteArray &body) { FUZZ_CHECK(QJsonDocument::fromJson(body).isObject()); },
        analyse ? 0 : 3600000);
    MessageReader reader;
    const int cut = input.isEmpty() ? 0 : int(uchar(input.at(0))) % input.size();
    reader.append(input.left(cut));
    drain(reader, server);
    reader.append(input.mid(cut));
    drain(reader, server);
    // Scheduled analyses start; their results are dropped when the server goes.
    QCoreApplication::processEvents();
    return 0;
}
