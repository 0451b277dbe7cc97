#ifndef VORPEN_PARAMETERDESCRIPTION_H
#define VORPEN_PARAMETERDESCRIPTION_H

#include <QString>
#include <QStringList>

struct Node;

// The sections above a node, outermost first, joined with " / ".
QString sectionPath(const Node *node);
// Name, type, section path and options of a parameter in one line.
QString describeParameter(const Node *parameter);
// The option nearest to token by edit distance, ignoring letter case; empty without options.
QString closestOption(const QString &token, const QStringList &options);

#endif
