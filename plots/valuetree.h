#ifndef VORPEN_VALUETREE_H
#define VORPEN_VALUETREE_H

#include <QStringList>

class SyntaxAnalyzer;
struct Node;

// Phase names of an analysed 7.0 tree in phase order, the matrix first; empty when the tree
// has no phase collection.
QStringList phaseNamesOfTree(SyntaxAnalyzer *analyzer);

// First value of a node, empty when it has none.
QString firstValue(const Node *node);

// Follows the children of the phase-interaction collection in order and knows the phase pair
// the current entry belongs to. Entries that do not name their phases count up by themselves:
// (0, 1), (0, 2), ..., (0, n - 1), (1, 1), ...
class InteractionPair
{
public:
    explicit InteractionPair(int phaseCount) : phaseCount(phaseCount) {}

    // Takes note of one child of the collection.
    void visit(const Node *child);

    int one = 0;
    int two = 0;
    // The entry's interaction is switched on; cleared when an entry starts.
    bool enabled = false;

private:
    int phaseCount;
    bool counting = true;
};

#endif
