#ifndef VORPEN_TEXTFILE_H
#define VORPEN_TEXTFILE_H

#include <QString>

// Reads a whole text file; false when it cannot be opened.
bool readTextFile(const QString &path, QString &text);

// Replaces the file by text, or leaves it untouched when any part of the write fails.
bool writeTextFile(const QString &path, const QString &text);

#endif
