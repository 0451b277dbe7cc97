#ifndef VORPEN_TEXTFORMAT_H
#define VORPEN_TEXTFORMAT_H

#include <QByteArray>
#include <QString>

// How a file's text was stored, so that a save writes it back the same way.
struct TextFormat
{
    enum class Encoding
    {
        Utf8,
        Utf16LittleEndian,
        Utf16BigEndian
    };
    Encoding encoding = Encoding::Utf8;
    bool byteOrderMark = false; // always there for UTF-16
    bool crlf = false;          // lines end in CR LF
};

// The format of a file's bytes, from its byte-order mark and its first line end.
TextFormat textFormatOf(const QByteArray &bytes);

// The text in format; line ends in the text may be LF or CR LF.
QByteArray encodeText(const QString &text, const TextFormat &format);

#endif
