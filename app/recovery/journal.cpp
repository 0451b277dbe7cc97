#include "app/recovery/journal.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QByteArray magic("Vorpen recovery journal 1\n");

QByteArray digest(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray milliseconds(const QDateTime &time)
{
    return time.isValid() ? QByteArray::number(time.toMSecsSinceEpoch()) : QByteArray();
}

QDateTime timeOf(const QByteArray &field)
{
    bool ok = false;
    const qint64 ms = field.toLongLong(&ok);
    return ok ? QDateTime::fromMSecsSinceEpoch(ms) : QDateTime();
}

QByteArray encode(const Journal &journal)
{
    const QByteArray text = journal.text.toUtf8();
    QByteArray out = magic;
    const auto field = [&out](const char *name, const QByteArray &value) {
        out += name;
        out += '=';
        out += value;
        out += '\n';
    };
    field("path", QUrl::toPercentEncoding(journal.path, "/"));
    field("base-size", QByteArray::number(journal.base.size));
    field("base-modified", milliseconds(journal.base.modified));
    field("base-checksum", journal.base.checksum);
    field("grammar", QUrl::toPercentEncoding(journal.grammar));
    field("written", milliseconds(journal.written));
    field("text-size", QByteArray::number(text.size()));
    field("text-checksum", digest(text));
    out += '\n';
    out += text;
    return out;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

void syncFolderOf(const QString &file)
{
    const int fd = ::open(QFile::encodeName(QFileInfo(file).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool writeJournal(const QString &file, const Journal &journal)
{
    const QByteArray target = QFile::encodeName(file);
    const QByteArray temporary = target + ".part";
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, encode(journal)) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.constData(), target.constData()) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
    syncFolderOf(file);
    return true;
}

bool readJournal(const QString &file, Journal &journal)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    if (!bytes.startsWith(magic))
        return false;
    const int end = bytes.indexOf("\n\n", magic.size() - 1);
    if (end < 0)
        return false;
    QHash<QByteArray, QByteArray> fields;
    const QList<QByteArray> lines = bytes.mid(magic.size(), end - magic.size() + 1).split('\n');
    for (const QByteArray &line : lines) {
        const int equals = line.indexOf('=');
        if (equals > 0)
            fields.insert(line.left(equals), line.mid(equals + 1));
    }
    const QByteArray text = bytes.mid(end + 2);
    bool sized = false;
    if (text.size() != fields.value("text-size").toLongLong(&sized) || !sized ||
        digest(text) != fields.value("text-checksum"))
        return false;

    journal.path = QUrl::fromPercentEncoding(fields.value("path"));
    journal.base.size = fields.value("base-size", "-1").toLongLong();
    journal.base.modified = timeOf(fields.value("base-modified"));
    journal.base.checksum = fields.value("base-checksum");
    journal.grammar = QUrl::fromPercentEncoding(fields.value("grammar"));
    journal.written = timeOf(fields.value("written"));
    journal.text = QString::fromUtf8(text);
    return true;
}
