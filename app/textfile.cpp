#include "app/textfile.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>

bool readTextFile(const QString &path, QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QTextStream in(&file);
    text = in.readAll();
    return true;
}

bool writeTextFile(const QString &path, const QString &text)
{
    QByteArray bytes;
    QTextStream encoder(&bytes, QIODevice::WriteOnly);
    encoder << text;
    encoder.flush();

    // Unbuffered, so that a short write (as at a file-size limit) shows in the count.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
