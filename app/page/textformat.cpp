#include "app/page/textformat.h"

#include <QTextCodec>

TextFormat textFormatOf(const QByteArray &bytes)
{
    TextFormat format;
    QByteArray firstLineEnd;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        format.byteOrderMark = true;
        firstLineEnd = "\r\n";
    } else if (bytes.startsWith("\xFF\xFE")) {
        format.encoding = TextFormat::Encoding::Utf16LittleEndian;
        format.byteOrderMark = true;
        firstLineEnd = QByteArray("\r\0\n\0", 4);
    } else if (bytes.startsWith("\xFE\xFF")) {
        format.encoding = TextFormat::Encoding::Utf16BigEndian;
        format.byteOrderMark = true;
        firstLineEnd = QByteArray("\0\r\0\n", 4);
    } else {
        firstLineEnd = "\r\n";
    }
    const int unit = firstLineEnd.size() / 2;
    const int newline = bytes.indexOf(firstLineEnd.mid(unit));
    format.crlf = newline >= unit && bytes.mid(newline - unit, 2 * unit) == firstLineEnd;
    return format;
}

QByteArray encodeText(const QString &text, const TextFormat &format)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (format.crlf)
        lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const char *name = format.encoding == TextFormat::Encoding::Utf16LittleEndian ? "UTF-16LE"
                       : format.encoding == TextFormat::Encoding::Utf16BigEndian  ? "UTF-16BE"
                                                                                  : "UTF-8";
    QTextCodec *codec = QTextCodec::codecForName(name);
    // The mark is written here or not at all, whatever the codec's habit.
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    QString marked = lines;
    if (format.byteOrderMark)
        marked.prepend(QChar(QChar::ByteOrderMark));
    return codec->fromUnicode(marked.constData(), marked.size(), &state);
}
