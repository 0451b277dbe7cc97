#include "tools/vorpen-lsp/messagereader.h"

#include <QList>

namespace {

// The end of the header: the position after its empty line, or -1 while it is incomplete.
int headerEnd(const QByteArray &buffer, int &separatorSize)
{
    const int crlf = buffer.indexOf("\r\n\r\n");
    const int lf = buffer.indexOf("\n\n");
    if (crlf >= 0 && (lf < 0 || crlf <= lf)) {
        separatorSize = 4;
        return crlf;
    }
    separatorSize = 2;
    return lf;
}

// The value of "Content-Length", -1 when the header has none or a malformed one.
qint64 contentLength(const QByteArray &header)
{
    qint64 length = -1;
    for (const QByteArray &field : header.split('\n')) {
        const int colon = field.indexOf(':');
        if (colon < 0) {
            if (!field.trimmed().isEmpty())
                return -1;
            continue;
        }
        if (field.left(colon).trimmed().toLower() != "content-length")
            continue;
        bool ok = false;
        length = field.mid(colon + 1).trimmed().toLongLong(&ok);
        if (!ok || length < 0)
            return -1;
    }
    return length;
}

} // namespace

void MessageReader::append(const QByteArray &bytes)
{
    if (skipping == 0) {
        buffer += bytes;
        return;
    }
    const qint64 dropped = qMin<qint64>(skipping, bytes.size());
    skipping -= dropped;
    buffer += bytes.mid(int(dropped));
}

MessageReader::Outcome MessageReader::refuseHeader(int end, QString &error, const QString &reason)
{
    buffer.remove(0, end);
    error = reason;
    return Outcome::FramingError;
}

MessageReader::Outcome MessageReader::next(QByteArray &body, QString &error)
{
    if (skipping > 0)
        return Outcome::NeedMore;
    int separatorSize = 0;
    const int end = headerEnd(buffer, separatorSize);
    if (end < 0) {
        if (buffer.size() <= maxHeaderSize)
            return Outcome::NeedMore;
        // Resume at the next header that might be sound.
        const int resume = buffer.indexOf("Content-Length", 1);
        return refuseHeader(resume < 0 ? buffer.size() : resume, error,
                            QStringLiteral("header without end"));
    }
    const qint64 length = contentLength(buffer.left(end));
    if (length < 0)
        return refuseHeader(end + separatorSize, error,
                            QStringLiteral("header without a valid Content-Length"));
    if (length > maxBodySize) {
        const qint64 available = buffer.size() - end - separatorSize;
        skipping = qMax<qint64>(0, length - available);
        buffer.remove(0, int(qMin<qint64>(buffer.size(), end + separatorSize + length)));
        error = QStringLiteral("message of %1 bytes is too large").arg(length);
        return Outcome::FramingError;
    }
    if (buffer.size() - end - separatorSize < length)
        return Outcome::NeedMore;
    body = buffer.mid(end + separatorSize, int(length));
    buffer.remove(0, end + separatorSize + int(length));
    return Outcome::Message;
}

void MessageReader::deliver(const std::function<void(const QByteArray &)> &message,
                            const std::function<void(const QString &)> &fault)
{
    QByteArray body;
    QString error;
    for (;;) {
        const Outcome outcome = next(body, error);
        if (outcome == Outcome::NeedMore)
            return;
        if (outcome == Outcome::Message)
            message(body);
        else
            fault(error);
    }
}

QByteArray framedMessage(const QByteArray &body)
{
    return "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}
