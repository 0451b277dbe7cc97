#ifndef VORPEN_TEXTFILE_H
#define VORPEN_TEXTFILE_H

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

// Reads a whole regular file as UTF-8 (or as the Unicode encoding its byte-order mark names);
// false when it is no regular file or cannot be read. doubt, when given, tells whether the
// bytes looked like text.
bool readTextFile(const QString &path, QString &text, TextDoubt *doubt = nullptr);

// True for a regular, readable file of plain text below the large size: one that loads without
// a question.
bool isPlainTextFile(const QString &path);

// Replaces the file by text in UTF-8, or leaves it untouched when any part of the write fails.
bool writeTextFile(const QString &path, const QString &text);

#endif
