#include "syntax/nameindex.h"

static bool isParameter(const Node *node)
{
    return node->type != QLatin1String("section");
}

void NameIndex::build(Node *root)
{
    byName.clear();
    byPart.clear();
    built = true;
    QVector<Node *> pending = {root};
    while (!pending.isEmpty()) {
        Node *node = pending.takeLast();
        add(node);
        pending += node->children;
    }
}

void NameIndex::add(Node *node)
{
    if (!built || !isParameter(node))
        return;
    byName.insert(node->name, node);
    for (auto it = byPart.begin(); it != byPart.end(); ++it) {
        if (node->name.contains(it.key()))
            it.value().append(node);
    }
}

void NameIndex::remove(Node *node)
{
    if (!built || !isParameter(node))
        return;
    byName.remove(node->name, node);
    for (auto it = byPart.begin(); it != byPart.end(); ++it) {
        if (node->name.contains(it.key()))
            it.value().removeOne(node);
    }
}

Node *NameIndex::firstParameter(const QString &name) const
{
    Node *first = nullptr;
    for (auto it = byName.constFind(name); it != byName.cend() && it.key() == name; ++it) {
        if (!first || searchedBefore(it.value(), first))
            first = it.value();
    }
    return first;
}

const QVector<Node *> &NameIndex::containing(const QString &part)
{
    auto found = byPart.find(part);
    if (found == byPart.end()) {
        QVector<Node *> nodes;
        for (auto it = byName.cbegin(); it != byName.cend(); ++it) {
            if (it.key().contains(part))
                nodes.append(it.value());
        }
        found = byPart.insert(part, nodes);
    }
    return found.value();
}

bool NameIndex::anyHolds(const QStringList &parts, const QString &value)
{
    for (const QString &part : parts) {
        for (const Node *node : containing(part)) {
            if (node->values.contains(value))
                return true;
        }
    }
    return false;
}

static int depthOf(const Node *node)
{
    int depth = 0;
    for (; node->parent; node = node->parent)
        ++depth;
    return depth;
}

bool NameIndex::searchedBefore(const Node *a, const Node *b)
{
    const int depthA = depthOf(a);
    const int depthB = depthOf(b);
    const Node *x = a;
    const Node *y = b;
    for (int d = depthA; d > depthB; --d)
        x = x->parent;
    for (int d = depthB; d > depthA; --d)
        y = y->parent;
    // A section is examined before everything inside it.
    if (x == y)
        return depthA < depthB;
    while (x->parent != y->parent) {
        x = x->parent;
        y = y->parent;
    }
    if (!x->parent)
        return false;
    // Names are nearly unique, so this scan is rare.
    Node *earlier = nullptr;
    for (Node *child : x->parent->children) {
        if (child == x || child == y) {
            earlier = child;
            break;
        }
    }
    return (earlier == x) != (x->parent->terse == 3);
}
