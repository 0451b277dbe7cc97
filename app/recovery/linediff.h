#ifndef VORPEN_LINEDIFF_H
#define VORPEN_LINEDIFF_H

#include <QString>

// The lines that differ between before and after, as "- " and "+ " lines with two lines of
// context ("  ") around each change and an "@@ line N @@" header naming its line in before.
// Empty when the texts are equal.
QString lineDifferences(const QString &before, const QString &after);

#endif
