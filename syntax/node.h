#ifndef VORPEN_NODE_H
#define VORPEN_NODE_H

#include <QString>
#include <QStringList>
#include <QVector>

// One section or parameter of the syntax tree: its definition, its place in the tree and the
// values a driving file gave it.
struct Node
{
    Node() = default;
    ~Node() { qDeleteAll(children); }
    Node(const Node &) = delete;
    Node &operator=(const Node &) = delete;

    // The parts of a node that its definition gives and every copy of it shares.
    void copyDefinitionOf(const Node &other)
    {
        name = other.name;
        type = other.type;
        options = other.options;
        cname = other.cname;
        cvalues = other.cvalues;
        cmode = other.cmode;
        defaultValue = other.defaultValue;
        terse = other.terse;
        first = other.first;
        definedChildCount = other.definedChildCount;
    }

    // One shared text, so that the many copies analysis makes allocate nothing for it.
    static const QString &noShow()
    {
        static const QString text(QChar(1));
        return text;
    }

    QString name;
    QString type;
    QStringList options;
    QString cname;
    QString cvalues;
    int cmode = 1; // 0 not, 1 and, 2 or, 3 matrixskip, 4 reread
    // How often the node stands on its analyzer's walk; kept here, where it fills what would be
    // padding, because analysis makes hundreds of thousands of nodes.
    int walkEntries = 0;
    QString defaultValue;
    Node *parent = nullptr;
    QVector<Node *> children; // owned
    QStringList values;
    int terse = 0; // 0 plain, 3 "terse" collection, 4 "invalidTerse" collection
    int position = -1;
    QString show = noShow(); // matches no keyword
    bool first = false;
    int definedChildCount = 0;
};

#endif
