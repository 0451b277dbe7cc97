#ifndef VORPEN_WALK_H
#define VORPEN_WALK_H

#include "syntax/node.h"

#include <QSet>
#include <QVector>

// The walk over the syntax tree, top = next node. Each node counts its entries on the walk, so
// that deleting part of the tree purges the walk no deeper than the deleted nodes stand.
class Walk
{
public:
    bool isEmpty() const { return nodes.isEmpty(); }
    Node *top() const { return nodes.last(); }
    void push(Node *node)
    {
        ++node->walkEntries;
        nodes.append(node);
    }
    // Pushing many fresh copies in two steps: each is counted while it is being made and still
    // in the cache, and the entries are then written without reading the nodes again.
    static void countEntry(Node *node) { ++node->walkEntries; }
    void pushCounted(const QVector<Node *> &counted, int from)
    {
        for (int i = counted.size() - 1; i >= from; --i)
            nodes.append(counted.at(i));
    }
    Node *pop()
    {
        Node *node = nodes.takeLast();
        --node->walkEntries;
        return node;
    }
    void clear()
    {
        for (Node *node : qAsConst(nodes))
            --node->walkEntries;
        nodes.clear();
    }
    // Removes every entry of the doomed nodes, keeping the order of the rest.
    void purge(const QSet<Node *> &doomed);

private:
    QVector<Node *> nodes;
};

#endif
