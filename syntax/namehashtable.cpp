#include "syntax/namehashtable.h"

#include <QHash>

void NameHashTable::clear()
{
    entries.clear();
    used = 0;
    shift = 32;
}

uint NameHashTable::hashOf(const QString &name)
{
    return qHash(name);
}

void NameHashTable::insert(Node *node, const QString &name)
{
    if (2 * (used + 1) > entries.size())
        grow();
    const uint hash = hashOf(name);
    int i = home(hash);
    while (entries.at(i).node)
        i = next(i);
    entries[i] = Slot{hash, node};
    ++used;
}

void NameHashTable::grow()
{
    const QVector<Slot> old = entries;
    const int size = qMax(64, 2 * old.size());
    entries = QVector<Slot>(size);
    shift = 32;
    for (int bits = size; bits > 1; bits /= 2)
        --shift;
    used = 0;
    for (const Slot &slot : old) {
        if (slot.node) {
            int i = home(slot.hash);
            while (entries.at(i).node)
                i = next(i);
            entries[i] = slot;
            ++used;
        }
    }
}

void NameHashTable::remove(Node *node, const QString &name)
{
    if (entries.isEmpty())
        return;
    int hole = home(hashOf(name));
    while (entries.at(hole).node && entries.at(hole).node != node)
        hole = next(hole);
    if (!entries.at(hole).node)
        return;
    // Moves back every later entry of the run that the hole would otherwise hide.
    for (int i = next(hole); entries.at(i).node; i = next(i)) {
        const int wanted = home(entries.at(i).hash);
        const bool reachable =
            hole <= i ? (hole < wanted && wanted <= i) : (hole < wanted || wanted <= i);
        if (reachable)
            continue;
        entries[hole] = entries.at(i);
        hole = i;
    }
    entries[hole] = Slot();
    --used;
}
