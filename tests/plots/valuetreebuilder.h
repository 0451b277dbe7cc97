#ifndef VORPEN_TEST_VALUETREEBUILDER_H
#define VORPEN_TEST_VALUETREEBUILDER_H

#include <QStringList>

#include "syntax/node.h"
#include "tests/support/handmadenode.h"

// Builds analysed value trees by hand, in the shape the 7.0 grammar gives them.
inline Node *addNode(Node *parent, const QString &name, const QStringList &values = {},
                     const QString &type = QStringLiteral("string"))
{
    Node *node = handmadeNode(name, type);
    node->values = values;
    node->parent = parent;
    parent->children.append(node);
    return node;
}

inline Node *addSection(Node *parent, const QString &name)
{
    return addNode(parent, name, {}, QStringLiteral("section"));
}

// The phase collection: one entry per name and the closing entry.
inline void addPhases(Node *root, const QStringList &names)
{
    Node *collection =
        addSection(addSection(root, QStringLiteral("Phases")), QStringLiteral("PhaseCollection"));
    for (int i = 0; i <= names.size(); ++i) {
        const QString suffix = i == 0 ? QString() : QStringLiteral("_%1").arg(i);
        addNode(collection, QStringLiteral("Phase") + suffix,
                i < names.size() ? QStringList{names[i]} : QStringList());
        addNode(collection, QStringLiteral("PhaseAlias") + suffix,
                i == 0 ? QStringList{QStringLiteral("alias")} : QStringList());
        addNode(collection, QStringLiteral("EndOfPhases") + suffix,
                i == names.size() ? QStringList{QStringLiteral("end_of_phases")} : QStringList());
    }
}

// One entry of the phase-interaction collection; the caller adds its further children.
inline void addInteractionStart(Node *collection, const QString &suffix, const QString &enabled)
{
    addNode(collection, QStringLiteral("PIPhaseOne") + suffix);
    addNode(collection, QStringLiteral("PIPhaseTwo") + suffix);
    addNode(collection, QStringLiteral("PIEnabled") + suffix, {enabled});
}

#endif
