#include "syntax/nametable.h"

#include <QHash>

void NameTable::clear()
{
    slots.clear();
    used = 0;
    shift = 32;
}

uint NameTable::hashOf(const QString &name)
{
    return qHash(name);
}

void NameTable::insert(Node *node)
{
    if (2 * (used + 1) > slots.size())
        grow();
    const uint hash = hashOf(node->name);
    int i = home(hash);
    while (slots.at(i).node)
        i = next(i);
    slots[i] = Slot{hash, node};
    ++used;
}

void NameTable::grow()
{
    const QVector<Slot> old = slots;
    const int size = qMax(64, 2 * old.size());
    slots = QVector<Slot>(size);
    shift = 32;
    for (int bits = size; bits > 1; bits /= 2)
        --shift;
    used = 0;
    for (const Slot &slot : old) {
        if (slot.node) {
            int i = home(slot.hash);
            while (slots.at(i).node)
                i = next(i);
            slots[i] = slot;
            ++used;
        }
    }
}

void NameTable::remove(Node *node)
{
    if (slots.isEmpty())
        return;
    int hole = home(hashOf(node->name));
    while (slots.at(hole).node && slots.at(hole).node != node)
        hole = next(hole);
    if (!slots.at(hole).node)
        return;
    // Moves back every later entry of the run that the hole would otherwise hide.
    for (int i = next(hole); slots.at(i).node; i = next(i)) {
        const int wanted = home(slots.at(i).hash);
        const bool reachable =
            hole <= i ? (hole < wanted && wanted <= i) : (hole < wanted || wanted <= i);
        if (reachable)
            continue;
        slots[hole] = slots.at(i);
        hole = i;
    }
    slots[hole] = Slot();
    --used;
}
