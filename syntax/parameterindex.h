#ifndef VORPEN_PARAMETERINDEX_H
#define VORPEN_PARAMETERINDEX_H

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

private:
    QHash<int, QVector<Node *>> owners;
};

#endif
