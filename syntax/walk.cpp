#include "syntax/walk.h"

void Walk::purge(const QSet<Node *> &doomed)
{
    int pending = 0;
    for (const Node *node : doomed)
        pending += node->walkEntries;
    int lowest = nodes.size();
    for (int i = nodes.size() - 1; i >= 0 && pending > 0; --i) {
        if (doomed.contains(nodes.at(i))) {
            lowest = i;
            --pending;
        }
    }
    int kept = lowest;
    for (int i = lowest; i < nodes.size(); ++i) {
        Node *node = nodes.at(i);
        if (doomed.contains(node))
            --node->walkEntries;
        else
            nodes[kept++] = node;
    }
    nodes.resize(kept);
}
