#ifndef VORPEN_SYNTAXFAULT_H
#define VORPEN_SYNTAXFAULT_H

#include <QString>
#include <QStringList>

struct Node;

// The syntax check's explanation of why an analysis of lines stopped at line with failed.
QString syntaxFaultText(const Node *failed, const QStringList &lines, int line);

#endif
