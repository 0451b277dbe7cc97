#ifndef VORPEN_PARAMETERINDEX_H
#define VORPEN_PARAMETERINDEX_H

#include "syntax/linetokens.h"

#include <QStringList>
#include <QVector>

struct Node;

// Which parameter of an analysed tree took each data token of the analysed lines, recovered
// from the line positions the analysis records on the nodes.
class ParameterIndex
{
public:
    ParameterIndex() = default;
    ParameterIndex(Node *root, const QStringList &lines);

    // One entry per data token of the line; null where no parameter took the token.
    QVector<Node *> tokenOwners(int line) const;
    // The parameters that took tokens of the line, in the order of the tokens.
    QVector<Node *> parametersOfLine(int line) const;
    // The parameter that took the token of a line's text at column (its end included), and
    // that token.
    Node *ownerAt(int line, const QString &text, int column, LineToken *token = nullptr) const;

private:
    // The owners of the data tokens of line n are tokenOwner[ownersStart[n]] up to
    // tokenOwner[ownersStart[n + 1]]: one flat list, because a large file has tens of
    // thousands of lines and a container for each costs more than its few entries.
    QVector<int> ownersStart;
    QVector<Node *> tokenOwner;
};

#endif
