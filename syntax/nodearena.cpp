#include "syntax/nodearena.h"

#include <sanitizer/asan_interface.h>

#include <new>

namespace {

// About 48 MB: the nodes of the largest files users edit.
const std::size_t maxSpareBlocks = 256;

} // namespace

// Shared by every thread, since trees are often freed on another thread than the one that
// made them. Never destroyed: trees may still go while the program ends.
NodeArena::SpareBlocks &NodeArena::spareBlocks()
{
    static auto *spare = new SpareBlocks;
    return *spare;
}

NodeArena::~NodeArena()
{
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const int used = b + 1 == blocks.size() ? usedInLast : blockSize;
        for (int i = 0; i < used; ++i)
            std::launder(reinterpret_cast<Node *>(blocks[b][i].bytes))->~Node();
        keepSpareBlock(std::move(blocks[b]));
    }
}

NodeArena::Block NodeArena::takeSpareBlock()
{
    {
        SpareBlocks &spare = spareBlocks();
        std::lock_guard<std::mutex> lock(spare.mutex);
        if (!spare.blocks.empty()) {
            Block block = std::move(spare.blocks.back());
            spare.blocks.pop_back();
            ASAN_UNPOISON_MEMORY_REGION(block.get(), sizeof(Slot) * blockSize);
            return block;
        }
    }
    return Block(new Slot[blockSize]);
}

void NodeArena::keepSpareBlock(Block block)
{
    SpareBlocks &spare = spareBlocks();
    std::lock_guard<std::mutex> lock(spare.mutex);
    if (spare.blocks.size() >= maxSpareBlocks)
        return;
    // A node of a tree that went must not be read through its old address.
    ASAN_POISON_MEMORY_REGION(block.get(), sizeof(Slot) * blockSize);
    spare.blocks.push_back(std::move(block));
}

void NodeArena::releaseSpareBlocks()
{
    std::vector<Block> released;
    {
        SpareBlocks &spare = spareBlocks();
        std::lock_guard<std::mutex> lock(spare.mutex);
        released.swap(spare.blocks);
    }
    for (Block &block : released)
        ASAN_UNPOISON_MEMORY_REGION(block.get(), sizeof(Slot) * blockSize);
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
        blocks.push_back(takeSpareBlock());
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
