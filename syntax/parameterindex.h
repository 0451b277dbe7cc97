#ifndef VORPEN_PARAMETERINDEX_H
#define VORPEN_PARAMETERINDEX_H

#include "syntax/linetokens.h"

#include <QHash>
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
    QHash<int, QVector<Node *>> owners;
};

#endif
