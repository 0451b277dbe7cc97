#ifndef VORPEN_STDIOREADER_H
#define VORPEN_STDIOREADER_H

#include <QThread>

// Reads framed messages from standard input on a thread of its own, so that the server takes
// up a message while it is busy with anything else.
class StdioReader : public QThread
{
    Q_OBJECT
public:
    using QThread::QThread;
    ~StdioReader() override;

signals:
    void messageRead(const QByteArray &body);
    void framingRefused(const QString &reason);
    void inputClosed();

protected:
    void run() override;
};

// Writes a message body, framed, to standard output.
void writeToStdout(const QByteArray &body);

#endif
