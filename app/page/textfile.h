#ifndef VORPEN_TEXTFILE_H
#define VORPEN_TEXTFILE_H

#include "app/page/textformat.h"

#include <QString>

// What makes a file's content doubtful as a driving file.
enum class TextDoubt
{
    None,
    NulBytes,    // binary data
    InvalidUtf8, // characters that can only be shown replaced
};

// Driving files stay far below this size; larger ones are not opened without asking.
const qint64 largeTextFileSize = 10 * 1024 * 1024;

// Far beyond any driving file: larger files are refused, as their text would not fit in memory
// as the editor holds it.
const qint64 maximumTextFileSize = 64 * 1024 * 1024;

// Why path cannot be read as a text file (not a regular file, larger than the maximum), or an
// empty text when it may be read.
QString textFileRefusal(const QString &path);

// The bytes of a regular file of at most the maximum size; false when there is none or it
// cannot be read whole.
bool readFileBytes(const QString &path, QByteArray &bytes);

// Reads a whole regular file as UTF-8 (or as the Unicode encoding its byte-order mark names);
// false when it is refused or cannot be read. doubt, when given, tells whether the bytes
// looked like text; format, how they were stored.
bool readTextFile(const QString &path, QString &text, TextDoubt *doubt = nullptr,
                  TextFormat *format = nullptr);

// Reads a regular file of plain text below the large size, one that loads without a question;
// false for any other.
bool readPlainTextFile(const QString &path, QString &text);

// Replaces the file's content by text stored in format, or leaves it untouched when any part
// of the write fails.
bool writeTextFile(const QString &path, const QString &text, const TextFormat &format = {});

#endif
