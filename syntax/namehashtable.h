#ifndef VORPEN_NAMEHASHTABLE_H
#define VORPEN_NAMEHASHTABLE_H

#include "syntax/node.h"

#include <QString>
#include <QVector>

// Nodes by name in one flat open-addressing table, which costs one visit to memory where a
// table of linked entries costs several. Several nodes may share a name.
class NameHashTable
{
public:
    void clear();
    void insert(Node *node, const QString &name);
    // Drops the entry of this node, filed under name.
    void remove(Node *node, const QString &name);

    // Calls visit for every node of exactly this name.
    template <typename Visit> void forEach(const QString &name, Visit visit) const
    {
        if (entries.isEmpty())
            return;
        const uint hash = hashOf(name);
        for (int i = home(hash); entries.at(i).node; i = next(i)) {
            const Slot &slot = entries.at(i);
            if (slot.hash == hash && slot.node->hasName(name))
                visit(slot.node);
        }
    }
    // Calls visit for every node in the table.
    template <typename Visit> void forAll(Visit visit) const
    {
        for (const Slot &slot : entries) {
            if (slot.node)
                visit(slot.node);
        }
    }

private:
    struct Slot
    {
        uint hash = 0;
        Node *node = nullptr;
    };

    static uint hashOf(const QString &name);
    int home(uint hash) const { return int((hash * 2654435769u) >> shift); }
    int next(int i) const { return (i + 1) & (entries.size() - 1); }
    void grow();

    QVector<Slot> entries; // a power of two in size, at most half full
    int used = 0;
    int shift = 32;
};

#endif
