#ifndef VORPEN_NAMEINDEX_H
#define VORPEN_NAMEINDEX_H

#include "syntax/nametable.h"
#include "syntax/node.h"

#include <QHash>
#include <QMultiMap>
#include <QString>
#include <QStringList>
#include <QStringMatcher>
#include <QVector>

// Answers the look-ups by name without walking the tree: every parameter is filed under its
// name, and of several parameters of one name the one met first by the depth-first search from
// the root wins ("terse" collections searched from their last child to their first). Nodes that
// join or leave the tree after build() must be reported through add() and remove().
class NameIndex
{
public:
    void build(Node *root);
    bool isBuilt() const { return built; }
    // One node that joined the tree; its descendants are reported one by one as well.
    void add(Node *node);
    // One node about to leave the tree.
    void remove(Node *node);

    // The first parameter of exactly this name, or null.
    Node *firstParameter(const QString &name) const;
    // Whether a parameter whose name contains one of the parts holds the value.
    bool anyHolds(const QStringList &parts, const QString &value);

    // Whether the search meets a before b; false for nodes of different trees.
    static bool searchedBefore(const Node *a, const Node *b);

private:
    // The parameters whose names contain a stem, filed by the rest of the name after each
    // occurrence of the stem.
    struct Stem
    {
        int length = 0;
        quint64 letters = 0; // see lettersOf
        QStringMatcher matcher;
        QMultiMap<QString, Node *> tails;
    };
    Stem &stemOf(const QString &stem);
    static void file(Stem &stem, Node *node, const QString &name);
    static void unfile(Stem &stem, Node *node, const QString &name);

    bool built = false;
    NameTable byName;
    // The stems of the "find:" conditions of the definition, and any other a look-up asked
    // for. A copied condition asks for its stem followed by the copy's suffix, so the stems
    // stay as few as the conditions of the definition. Every node that joins is filed under
    // each stem, so they are kept side by side; stemAt finds one by its text.
    QVector<Stem> stems;
    QHash<QString, int> stemAt;
    // The name of the node being filed or unfiled; its room is reused from node to node.
    QString nameOfNode;
};

#endif
