// vorpen-lsp: a language server for ZELMORA driving files over standard input and output.
#include "tools/vorpen-lsp/languageserver.h"
#include "tools/vorpen-lsp/stdioreader.h"

#include <QCoreApplication>
#include <QTextStream>

#include <csignal>

namespace {

const char usage[] = "usage: vorpen-lsp [--stdio] [--syntax 6.4|7.0|auto]\n";

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Q_INIT_RESOURCE(MyRes);
    // A client that goes away must end the server through its closed input, not a signal.
    std::signal(SIGPIPE, SIG_IGN);

    LanguageServer server(writeToStdout);
    const QStringList arguments = app.arguments().mid(1);
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--stdio"))
            continue;
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            QTextStream(stdout) << usage;
            return 0;
        }
        const bool syntax = argument == QLatin1String("--syntax");
        if (syntax && server.setSyntax(arguments.value(++i)))
            continue;
        QTextStream(stderr) << "vorpen-lsp: unknown argument '"
                            << (syntax ? arguments.value(i) : argument) << "'\n"
                            << usage;
        return 2;
    }

    StdioReader reader;
    QObject::connect(&reader, &StdioReader::messageRead, &server, &LanguageServer::receive);
    QObject::connect(&reader, &StdioReader::framingRefused, &server,
                     &LanguageServer::refuseFraming);
    QObject::connect(&reader, &StdioReader::inputClosed, &server, &LanguageServer::inputClosed);
    QObject::connect(&server, &LanguageServer::finished, &app, &QCoreApplication::exit);
    reader.start();
    return app.exec();
}
