#ifndef VORPEN_FILEBASE_H
#define VORPEN_FILEBASE_H

#include <QByteArray>
#include <QDateTime>
#include <QString>

// A file as a page last loaded or saved it: what tells later whether someone else changed it.
struct FileBase
{
    qint64 size = -1; // -1: no file
    QDateTime modified;
    QByteArray checksum; // SHA-256 of the bytes, hex

    bool isNone() const { return size < 0; }
    // The same bytes; the time alone does not count, as copies and restores touch it.
    bool sameContent(const FileBase &other) const
    {
        return size == other.size && checksum == other.checksum;
    }
};

// The base of the file at path now; isNone() when it cannot be read.
FileBase fileBaseOf(const QString &path);
FileBase fileBaseOf(const QByteArray &bytes, const QDateTime &modified);

#endif
