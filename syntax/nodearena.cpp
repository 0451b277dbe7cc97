#include "syntax/nodearena.h"

#include <new>

NodeArena::~NodeArena()
{
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const int used = b + 1 == blocks.size() ? usedInLast : blockSize;
        for (int i = 0; i < used; ++i)
            std::launder(reinterpret_cast<Node *>(blocks[b][i].bytes))->~Node();
    }
}

Node *NodeArena::make(const NodeDefinition *definition, const CopySuffix *copy)
{
    if (!recycled.empty()) {
        Node *node = recycled.back();
        recycled.pop_back();
        node->~Node();
        return new (node) Node(definition, copy);
    }
    if (usedInLast == blockSize) {
        blocks.emplace_back(new Slot[blockSize]);
        usedInLast = 0;
    }
    return new (blocks.back()[usedInLast++].bytes) Node(definition, copy);
}

void NodeArena::recycle(Node *node)
{
    node->children = QVector<Node *>();
    node->values = QStringList();
    recycled.push_back(node);
}
