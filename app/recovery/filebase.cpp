#include "app/recovery/filebase.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

FileBase fileBaseOf(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {};
    return fileBaseOf(bytes, QFileInfo(path).lastModified());
}

FileBase fileBaseOf(const QByteArray &bytes, const QDateTime &modified)
{
    FileBase base;
    base.size = bytes.size();
    base.modified = modified;
    base.checksum = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    return base;
}
