#include "tools/vorpen-lsp/stdioreader.h"

#include "tools/vorpen-lsp/messagereader.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

StdioReader::~StdioReader()
{
    requestInterruption();
    wait();
}

void StdioReader::run()
{
    MessageReader reader;
    char buffer[65536];
    while (!isInterruptionRequested()) {
        // A bounded wait lets the thread notice that the program ends.
        pollfd input{STDIN_FILENO, POLLIN, 0};
        const int ready = poll(&input, 1, 100);
        if (ready == 0 || (ready < 0 && errno == EINTR))
            continue;
        const ssize_t count = ready < 0 ? -1 : read(STDIN_FILENO, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            emit inputClosed();
            return;
        }
        reader.append(QByteArray(buffer, int(count)));
        reader.deliver([this](const QByteArray &body) { emit messageRead(body); },
                       [this](const QString &error) { emit framingRefused(error); });
    }
}

void writeToStdout(const QByteArray &body)
{
    const QByteArray message = framedMessage(body);
    qint64 written = 0;
    while (written < message.size()) {
        const ssize_t count =
            write(STDOUT_FILENO, message.constData() + written, size_t(message.size() - written));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return;
        written += count;
    }
}
