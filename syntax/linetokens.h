#ifndef VORPEN_LINETOKENS_H
#define VORPEN_LINETOKENS_H

#include <QString>
#include <QVector>

// One data token of a driving-file line and the column it starts at.
struct LineToken
{
    int column = 0;
    QString text;
};

// The tokens the analysis takes from a line: what follows the first "=", split at blanks, up to
// a comment or an end marker.
QVector<LineToken> dataTokens(const QString &line);

#endif
