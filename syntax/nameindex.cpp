#include "syntax/nameindex.h"

static bool isParameter(const Node *node)
{
    return node->type != QLatin1String("section");
}

// The part of a "find:" name that every copy of its condition keeps: up to its first "_".
static QString stemOfPart(const QString &part)
{
    const int cut = part.indexOf(QLatin1Char('_'), 1);
    return cut < 0 ? part : part.left(cut);
}

void NameIndex::build(Node *root)
{
    byName.clear();
    byStem.clear();
    built = true;
    QVector<Node *> pending = {root};
    while (!pending.isEmpty()) {
        Node *node = pending.takeLast();
        if (node->cname.startsWith(QLatin1String("find:"))) {
            for (const QString &part : node->cname.mid(5).split(QLatin1Char(','))) {
                if (!part.isEmpty())
                    byStem[stemOfPart(part)].matcher.setPattern(stemOfPart(part));
            }
        }
        pending += node->children;
    }
    pending = {root};
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
    for (Stem &stem : byStem)
        file(stem, node);
}

void NameIndex::remove(Node *node)
{
    if (!built || !isParameter(node))
        return;
    byName.remove(node->name, node);
    for (Stem &stem : byStem)
        unfile(stem, node);
}

void NameIndex::file(Stem &stem, Node *node)
{
    const int length = stem.matcher.pattern().size();
    for (int at = stem.matcher.indexIn(node->name); at >= 0;
         at = stem.matcher.indexIn(node->name, at + 1))
        stem.tails.insert(node->name.mid(at + length), node);
}

void NameIndex::unfile(Stem &stem, Node *node)
{
    const int length = stem.matcher.pattern().size();
    for (int at = stem.matcher.indexIn(node->name); at >= 0;
         at = stem.matcher.indexIn(node->name, at + 1))
        stem.tails.remove(node->name.mid(at + length), node);
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

NameIndex::Stem &NameIndex::stemOf(const QString &stem)
{
    auto found = byStem.find(stem);
    if (found == byStem.end()) {
        found = byStem.insert(stem, Stem());
        found->matcher.setPattern(stem);
        for (Node *node : qAsConst(byName))
            file(found.value(), node);
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
        const Stem &stem = stemOf(stemOfPart(part));
        const QString rest = part.mid(stem.matcher.pattern().size());
        for (auto it = stem.tails.lowerBound(rest);
             it != stem.tails.cend() && it.key().startsWith(rest); ++it) {
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
