#include "syntax/nameindex.h"

static bool isParameter(const Node *node)
{
    return node->type != QLatin1String("section");
}

void NameIndex::build(Node *root)
{
    byName.clear();
    byStem.clear();
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
    for (auto it = byStem.begin(); it != byStem.end(); ++it)
        file(it.value(), it.key(), node);
}

void NameIndex::remove(Node *node)
{
    if (!built || !isParameter(node))
        return;
    byName.remove(node->name, node);
    for (auto it = byStem.begin(); it != byStem.end(); ++it)
        unfile(it.value(), it.key(), node);
}

void NameIndex::file(Tails &tails, const QString &stem, Node *node)
{
    for (int at = node->name.indexOf(stem); at >= 0; at = node->name.indexOf(stem, at + 1))
        tails.insert(node->name.mid(at + stem.size()), node);
}

void NameIndex::unfile(Tails &tails, const QString &stem, Node *node)
{
    for (int at = node->name.indexOf(stem); at >= 0; at = node->name.indexOf(stem, at + 1))
        tails.remove(node->name.mid(at + stem.size()), node);
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

const NameIndex::Tails &NameIndex::tailsOf(const QString &stem)
{
    auto found = byStem.find(stem);
    if (found == byStem.end()) {
        Tails tails;
        for (auto it = byName.cbegin(); it != byName.cend(); ++it)
            file(tails, stem, it.value());
        found = byStem.insert(stem, tails);
    }
    return found.value();
}

bool NameIndex::anyHolds(const QStringList &parts, const QString &value)
{
    for (const QString &part : parts) {
        if (part.isEmpty()) {
            for (const Node *node : qAsConst(byName)) {
                if (node->values.contains(value))
                    return true;
            }
            continue;
        }
        // A name contains the part where the stem is followed by the rest of the part.
        int cut = part.indexOf(QLatin1Char('_'), 1);
        if (cut < 0)
            cut = part.size();
        const QString rest = part.mid(cut);
        const Tails &tails = tailsOf(part.left(cut));
        for (auto it = tails.lowerBound(rest); it != tails.cend() && it.key().startsWith(rest);
             ++it) {
            if (it.value()->values.contains(value))
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
