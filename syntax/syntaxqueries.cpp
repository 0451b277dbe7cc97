#include "syntax/syntaxanalyzer.h"

// Built at the first look-up, when the definition is complete; the edits below keep it current.
NameIndex &SyntaxAnalyzer::nameIndex()
{
    if (!index.isBuilt())
        index.build(root);
    return index;
}

QStringList SyntaxAnalyzer::getValues(QString name, bool options, Node *&found)
{
    found = nameIndex().firstParameter(name);
    if (!found)
        return QStringList();
    return options ? found->options() : found->values;
}

void SyntaxAnalyzer::setValues(QString name, QStringList values)
{
    Node *found = nullptr;
    getValues(name, false, found);
    if (found)
        found->values = values;
}

bool SyntaxAnalyzer::find(QStringList names, QString value)
{
    return nameIndex().anyHolds(names, value);
}

Node *SyntaxAnalyzer::leaveSection(Node *section)
{
    Node *removed = nullptr;
    while (!walk.isEmpty()) {
        if (walk.top()->parent != section)
            return walk.top();
        removed = walk.pop();
    }
    return removed;
}

// Number of nodes one copy of node brings, its copied descendants included.
qint64 SyntaxAnalyzer::copiedSize(Node *node)
{
    const int defined = node->definedChildren();
    qint64 size = 1;
    for (int i = 0; i < defined; ++i)
        size += copiedSize(node->children.at(i));
    return size;
}

static QString outerSuffixOf(const QString &suffix)
{
    const int length = suffix.length() - suffix.lastIndexOf(QLatin1Char('_')) - 2;
    return length > 0 ? suffix.left(length) : QString();
}

void SyntaxAnalyzer::copySection(Node *section, int count, QString suffix)
{
    const int defined = section->definedChildren();
    qint64 size = 0;
    for (int i = 0; i < defined; ++i)
        size += copiedSize(section->children.at(i));
    if (count > 0 && size > (maxCopiedNodes - copiedNodes) / count) {
        oversizedSection = section;
        return;
    }

    const bool collection = section->terse() == 3 || section->terse() == 4;
    if (collection) {
        while (!walk.isEmpty() && walk.top()->parent == section)
            walk.pop();
    } else {
        leaveSection(section);
    }

    const int before = section->children.size();
    const int from = collection ? before : 0;
    for (int i = from; i < before; ++i)
        Walk::countEntry(section->children.at(i));
    // A counted section is copied in one go, so its room is taken in one piece instead of being
    // copied over at every doubling.
    if (count > 1)
        section->children.reserve(before + count * defined);
    for (int k = 0; k < count; ++k) {
        const QString copySuffix =
            suffix.isEmpty() ? QStringLiteral("_") + QString::number(k) : suffix;
        const QString outerSuffix = outerSuffixOf(copySuffix);
        for (int i = 0; i < defined; ++i)
            Walk::countEntry(copyInto(section->children.at(i), section, copySuffix, outerSuffix));
    }
    walk.pushCounted(section->children, from);
}

void SyntaxAnalyzer::copySubtree(Node *from, Node *to, QString suffix, QString outerSuffix)
{
    const int defined = from->definedChildren();
    to->children.reserve(to->children.size() + defined);
    for (int i = 0; i < defined; ++i)
        copyInto(from->children.at(i), to, suffix, outerSuffix);
}

// Appends to parent a copy of original with its subtree, named and conditioned for the suffix.
Node *SyntaxAnalyzer::copyInto(Node *original, Node *parent, const QString &suffix,
                               const QString &outerSuffix)
{
    Node *copy = nodes.make(original->definition, suffixOfCopy(original, suffix, outerSuffix));
    copy->parent = parent;
    ++copiedNodes;
    copySubtree(original, copy, suffix, outerSuffix);
    parent->children.append(copy);
    index.add(copy);
    return copy;
}

void SyntaxAnalyzer::cleanSection(Node *section, int depth, QString suffix)
{
    while (!walk.isEmpty() && walk.top()->nameEndsWith(suffix) && walk.top()->parent == section)
        walk.pop();
    while (!section->children.isEmpty() && section->children.last()->nameEndsWith(suffix)) {
        Node *child = section->children.last();
        if (!child->children.isEmpty())
            cleanSection(child, depth + 1, suffix);
        section->children.removeLast();
        discard(child);
    }
}

// Drops a node that left the tree, after every reference the walk or the analysis holds to
// it or to its descendants is gone.
void SyntaxAnalyzer::discard(Node *node)
{
    QSet<Node *> doomed;
    QStack<Node *> pending;
    pending.push(node);
    while (!pending.isEmpty()) {
        Node *n = pending.pop();
        doomed.insert(n);
        for (Node *child : qAsConst(n->children))
            pending.push(child);
    }
    walk.purge(doomed);
    for (Node *n : qAsConst(doomed))
        index.remove(n);
    if (doomed.contains(currentNode))
        currentNode = nullptr;
    if (doomed.contains(parameter))
        parameter = nullptr;
    if (doomed.contains(trialSection))
        trialSection = nullptr;
    for (auto it = copiesForToken.begin(); it != copiesForToken.end();) {
        if (doomed.contains(it->place))
            it = copiesForToken.erase(it);
        else
            ++it;
    }
    for (Node *n : qAsConst(doomed))
        nodes.recycle(n);
}
