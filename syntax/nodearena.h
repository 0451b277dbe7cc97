#ifndef VORPEN_NODEARENA_H
#define VORPEN_NODEARENA_H

#include "syntax/node.h"

#include <memory>
#include <mutex>
#include <vector>

// The room of one tree's nodes, taken in large blocks: analysis makes hundreds of thousands of
// small nodes that all live as long as their tree, and one allocation each would cost more
// than the copying itself. When the tree goes, its blocks wait for the next tree (up to a
// bound): a large file is analysed again at every pause in typing, and fresh memory costs a
// page fault for every page it is first written to.
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
    // Gives the blocks waiting for a next tree back to the heap.
    static void releaseSpareBlocks();

private:
    struct alignas(Node) Slot
    {
        unsigned char bytes[sizeof(Node)];
    };
    static const int blockSize = 4096;
    using Block = std::unique_ptr<Slot[]>;
    struct SpareBlocks
    {
        std::mutex mutex;
        std::vector<Block> blocks;
    };
    static SpareBlocks &spareBlocks();
    static Block takeSpareBlock();
    static void keepSpareBlock(Block block);

    std::vector<Block> blocks;
    int usedInLast = blockSize;
    std::vector<Node *> recycled; // emptied, still nodes, so that teardown need not tell them
};

#endif
