#ifndef VORPEN_SYNTAXFAULT_H
#define VORPEN_SYNTAXFAULT_H

#include "syntax/linetokens.h"

#include <QString>
#include <QStringList>

class ParameterIndex;
struct Node;

// The syntax check's explanation of why an analysis of lines stopped at line with failed.
QString syntaxFaultText(const Node *failed, const QStringList &lines, int line);

// The token of a refused line that no parameter took, and the keyword nearest to it.
struct RefusedToken
{
    bool found = false;
    LineToken token;
    QString suggestion; // empty when the refusing parameter has no keywords
};

// The first data token of the refused line that no parameter of index took.
RefusedToken refusedToken(const Node *failed, const QStringList &lines, int line,
                          const ParameterIndex &index);

// The check's explanation followed by the nearest keyword to the refused token, if any.
QString syntaxFaultExplanation(const Node *failed, const QStringList &lines, int line,
                               const ParameterIndex &index);

#endif
