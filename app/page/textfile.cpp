#include "app/page/textfile.h"

#include "app/page/filewrite.h"

#include <QFile>
#include <QFileInfo>
#include <QTextCodec>

QString textFileRefusal(const QString &path)
{
    const QFileInfo info(path);
    // A directory, pipe or device would fail or block the read, or never end.
    if (!info.isFile())
        return info.exists() ? QStringLiteral("not a regular file")
                             : QStringLiteral("no such file");
    if (info.size() > maximumTextFileSize)
        return QStringLiteral("%1 MB, far beyond any driving file (at most %2 MB are read)")
            .arg(info.size() / (1024 * 1024))
            .arg(maximumTextFileSize / (1024 * 1024));
    return QString();
}

bool readFileBytes(const QString &path, QByteArray &bytes)
{
    if (!textFileRefusal(path).isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // A file that grew since it was looked at is still read no further than the maximum.
    bytes = file.read(maximumTextFileSize + 1);
    return file.error() == QFileDevice::NoError && bytes.size() <= maximumTextFileSize;
}

bool readTextFile(const QString &path, QString &text, TextDoubt *doubt, TextFormat *format)
{
    QByteArray bytes;
    if (!readFileBytes(path, bytes))
        return false;
    QTextCodec *codec = QTextCodec::codecForUtfText(bytes, QTextCodec::codecForName("UTF-8"));
    QTextCodec::ConverterState state;
    text = codec->toUnicode(bytes.constData(), bytes.size(), &state);
    if (doubt) {
        *doubt = text.contains(QChar(0))  ? TextDoubt::NulBytes
                 : state.invalidChars > 0 ? TextDoubt::InvalidUtf8
                                          : TextDoubt::None;
    }
    if (format)
        *format = textFormatOf(bytes);
    return true;
}

bool readPlainTextFile(const QString &path, QString &text)
{
    TextDoubt doubt = TextDoubt::None;
    return QFileInfo(path).size() <= largeTextFileSize && readTextFile(path, text, &doubt) &&
           doubt == TextDoubt::None;
}

bool writeTextFile(const QString &path, const QString &text, const TextFormat &format)
{
    return replaceFileContent(path, encodeText(text, format));
}
