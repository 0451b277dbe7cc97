#ifndef VORPEN_NODEARENA_H
#define VORPEN_NODEARENA_H

#include "syntax/node.h"

#include <memory>
#include <vector>

// The room of one tree's nodes, taken in large blocks: analysis makes hundreds of thousands of
// small nodes that all live as long as their tree, and one allocation each would cost more
// than the copying itself. Blocks this large come straight from the system and go back to it
// whole when the tree goes.
class NodeArena
{
public:
    NodeArena() = default;
    // Destroys every node made here.
    ~NodeArena();
    NodeArena(const NodeArena &) = delete;
    NodeArena &operator=(const NodeArena &) = delete;

    Node *make(const NodeDefinition *definition, const CopySuffix *copy = nullptr);
    // Takes back a node that left its tree for good: what it holds goes now, and its room
    // serves a node made later. Analysis takes back the trial copies of every collection.
    void recycle(Node *node);

private:
    struct alignas(Node) Slot
    {
        unsigned char bytes[sizeof(Node)];
    };
    static const int blockSize = 4096;

    std::vector<std::unique_ptr<Slot[]>> blocks;
    int usedInLast = blockSize;
    std::vector<Node *> recycled; // emptied, still nodes, so that teardown need not tell them
};

#endif
