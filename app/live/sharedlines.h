#ifndef VORPEN_SHAREDLINES_H
#define VORPEN_SHAREDLINES_H

#include <QString>
#include <QStringList>

// The text split at "\n", as every analysis takes it; a line that stands in earlier, at its own
// index or shifted by the change in the line count, is earlier's copy. While the next analysis
// of a large file is made, the shown one's lines are still needed, and unchanged lines are then
// held once.
QStringList linesSharing(const QString &text, const QStringList &earlier);

#endif
