#include "syntax/nameindex.h"

static bool isParameter(const Node *node)
{
    return !node->isSection();
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
    stems.clear();
    stemAt.clear();
    built = true;
    QVector<Node *> pending = {root};
    while (!pending.isEmpty()) {
        Node *node = pending.takeLast();
        const QString cname = node->cname();
        if (cname.startsWith(QLatin1String("find:"))) {
            for (const QString &part : cname.mid(5).split(QLatin1Char(','))) {
                if (!part.isEmpty())
                    stemOf(stemOfPart(part));
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

// One bit for each character of a text, folded to 64: a name can contain a stem only when it
// has every bit of the stem, which spares most names the search for it.
static quint64 lettersOf(const QString &text)
{
    quint64 letters = 0;
    for (const QChar c : text)
        letters |= quint64(1) << (c.unicode() & 63);
    return letters;
}

void NameIndex::add(Node *node)
{
    if (!built || !isParameter(node))
        return;
    node->writeName(nameOfNode);
    byName.insert(node, nameOfNode);
    const quint64 letters = lettersOf(nameOfNode);
    for (Stem &stem : stems) {
        if ((stem.letters & ~letters) == 0)
            file(stem, node, nameOfNode);
    }
}

void NameIndex::remove(Node *node)
{
    if (!built || !isParameter(node))
        return;
    node->writeName(nameOfNode);
    byName.remove(node, nameOfNode);
    const quint64 letters = lettersOf(nameOfNode);
    for (Stem &stem : stems) {
        if ((stem.letters & ~letters) == 0)
            unfile(stem, node, nameOfNode);
    }
}

// The rest of the name after each occurrence of the stem.
template <typename Visit>
static void forEachTail(const QStringMatcher &matcher, int length, const QString &name, Visit visit)
{
    if (name.size() < length)
        return;
    for (int at = matcher.indexIn(name); at >= 0; at = matcher.indexIn(name, at + 1))
        visit(name.mid(at + length));
}

void NameIndex::file(Stem &stem, Node *node, const QString &name)
{
    forEachTail(stem.matcher, stem.length, name,
                [&stem, node](const QString &tail) { stem.tails.insert(tail, node); });
}

void NameIndex::unfile(Stem &stem, Node *node, const QString &name)
{
    forEachTail(stem.matcher, stem.length, name,
                [&stem, node](const QString &tail) { stem.tails.remove(tail, node); });
}

Node *NameIndex::firstParameter(const QString &name) const
{
    Node *first = nullptr;
    byName.forEach(name, [&first](Node *node) {
        if (!first || searchedBefore(node, first))
            first = node;
    });
    return first;
}

NameIndex::Stem &NameIndex::stemOf(const QString &stem)
{
    const auto found = stemAt.constFind(stem);
    if (found != stemAt.cend())
        return stems[found.value()];
    stemAt.insert(stem, stems.size());
    stems.append(Stem());
    Stem &added = stems.last();
    added.length = stem.size();
    added.letters = lettersOf(stem);
    added.matcher.setPattern(stem);
    byName.forAll([&added](Node *node) { file(added, node, node->name()); });
    return added;
}

bool NameIndex::anyHolds(const QStringList &parts, const QString &value)
{
    for (const QString &part : parts) {
        if (part.isEmpty()) {
            bool held = false;
            byName.forAll(
                [&held, &value](Node *node) { held = held || node->values.contains(value); });
            if (held)
                return true;
            continue;
        }
        // A name contains the part where the stem is followed by the rest of the part.
        const Stem &stem = stemOf(stemOfPart(part));
        const QString rest = part.mid(stem.length);
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
    return (earlier == x) != (x->parent->terse() == 3);
}
