#ifndef VORPEN_TEST_HANDMADENODE_H
#define VORPEN_TEST_HANDMADENODE_H

#include "syntax/node.h"

#include <deque>

// A definition for a node a test makes by hand; it lives as long as the test program, as the
// definitions of a loaded grammar do.
inline const NodeDefinition *handmadeDefinition(const QString &name,
                                                const QString &type = QStringLiteral("string"))
{
    static std::deque<NodeDefinition> kept;
    NodeDefinition &definition = kept.emplace_back();
    definition.name = name;
    definition.setType(type);
    return &definition;
}

// A node made by hand, which lives as long as the test program; a tree's nodes do not own their
// children.
inline Node *handmadeNode(const QString &name, const QString &type = QStringLiteral("string"))
{
    static std::deque<Node> kept;
    return &kept.emplace_back(handmadeDefinition(name, type));
}

#endif
