#ifndef VORPEN_MESSAGEREADER_H
#define VORPEN_MESSAGEREADER_H

#include <QByteArray>
#include <QString>

#include <functional>

// Cuts a byte stream into message bodies framed by a "Content-Length" header and an empty
// line. Faulty framing is reported once and skipped, so that the next message is read again.
class MessageReader
{
public:
    enum class Outcome
    {
        NeedMore,
        Message,
        FramingError
    };

    // Bodies larger than this are refused and skipped unread.
    static const qint64 maxBodySize = 256 * 1024 * 1024;
    // A header that has not ended after this many bytes is refused.
    static const int maxHeaderSize = 8192;

    void append(const QByteArray &bytes);
    // The next body or framing fault of what was appended so far.
    Outcome next(QByteArray &body, QString &error);
    // Hands every complete body and framing fault read so far to its receiver, in order.
    void deliver(const std::function<void(const QByteArray &)> &message,
                 const std::function<void(const QString &)> &fault);

private:
    Outcome refuseHeader(int headerEnd, QString &error, const QString &reason);

    QByteArray buffer;
    qint64 skipping = 0; // bytes of a refused body still to drop
};

// A message body with its header, ready to be written.
QByteArray framedMessage(const QByteArray &body);

#endif
