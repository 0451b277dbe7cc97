#ifndef VORPEN_NAMETABLE_H
#define VORPEN_NAMETABLE_H

#include "syntax/namehashtable.h"
#include "syntax/node.h"

#include <QHash>
#include <QString>
#include <QVector>

// The nodes of a tree by name. Copies are named after their original with "_" and a number,
// and analysis makes and reads the copies of one original in the order of their numbers; so
// they are kept side by side, by number, and filing or finding them walks through memory
// instead of jumping around it. A copy numbered 0 waits in the hash table until a second
// number comes: most counted sections are copied once, and a run for each would cost more
// than its one entry. Several nodes may share a name.
class NameTable
{
public:
    void clear();
    void insert(Node *node, const QString &name);
    // Drops the entry of this node, filed under name.
    void remove(Node *node, const QString &name);

    // Calls visit for every node of exactly this name.
    template <typename Visit> void forEach(const QString &name, Visit visit) const
    {
        int headLength = 0;
        const int number = copyNumber(name, headLength);
        if (number >= 0) {
            const Run *run = runOf(QStringView(name).left(headLength));
            if (!run) {
                others.forEach(name, visit);
                return;
            }
            if (number < run->byNumber.size() && run->byNumber.at(number))
                visit(run->byNumber.at(number));
            if (run->others == 0)
                return;
        }
        others.forEach(name, visit);
    }
    // Calls visit for every node in the table.
    template <typename Visit> void forAll(Visit visit) const
    {
        for (const Run &run : runs) {
            for (Node *node : run.byNumber) {
                if (node)
                    visit(node);
            }
        }
        others.forAll(visit);
    }

private:
    // The copies of one original: the one numbered n at n, further ones of a taken number in
    // the hash table.
    struct Run
    {
        QString head;
        QVector<Node *> byNumber;
        int others = 0;
    };

    // The number after the last "_" as copies write it, or -1.
    static int copyNumber(const QString &name, int &headLength);
    // The run of the name up to that "_", or null; looked up by a view of the name, because
    // every copy filed or found would otherwise allocate a text for its head.
    const Run *runOf(QStringView head) const;
    // Moves a copy numbered 0 of the run's head from the hash table into the new run.
    void takeNumberZero(Run &run);

    QMultiHash<uint, Run> runs; // by the hash of their head
    NameHashTable others;       // names without a number, and numbers taken twice
};

#endif
