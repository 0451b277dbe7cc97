#include "app/page/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextCodec>
#include <QTextStream>

bool readTextFile(const QString &path, QString &text, TextDoubt *doubt)
{
    // A directory, pipe or device would fail or block the read, or never end.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    QTextCodec *codec = QTextCodec::codecForUtfText(bytes, QTextCodec::codecForName("UTF-8"));
    QTextCodec::ConverterState state;
    text = codec->toUnicode(bytes.constData(), bytes.size(), &state);
    if (doubt) {
        *doubt = text.contains(QChar(0))  ? TextDoubt::NulBytes
                 : state.invalidChars > 0 ? TextDoubt::InvalidUtf8
                                          : TextDoubt::None;
    }
    return true;
}

bool isPlainTextFile(const QString &path)
{
    QString text;
    TextDoubt doubt = TextDoubt::None;
    return QFileInfo(path).size() <= largeTextFileSize && readTextFile(path, text, &doubt) &&
           doubt == TextDoubt::None;
}

bool writeTextFile(const QString &path, const QString &text)
{
    QByteArray bytes;
    QTextStream encoder(&bytes, QIODevice::WriteOnly);
    encoder.setCodec("UTF-8");
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
