#include "syntax/nametable.h"

// Numbers far beyond the copies made so far are filed by hash, so that no name makes a run
// reserve room for numbers that do not exist.
static const int maxNumberGap = 1024;

int NameTable::copyNumber(const QString &name, int &headLength)
{
    int start = name.size();
    while (start > 0 && name.at(start - 1) >= QLatin1Char('0') &&
           name.at(start - 1) <= QLatin1Char('9'))
        --start;
    const int digits = name.size() - start;
    if (digits == 0 || digits > 9 || start == 0 || name.at(start - 1) != QLatin1Char('_'))
        return -1;
    if (digits > 1 && name.at(start) == QLatin1Char('0'))
        return -1;
    headLength = start - 1;
    int number = 0;
    for (int i = start; i < name.size(); ++i)
        number = 10 * number + (name.at(i).unicode() - '0');
    return number;
}

// The run filed under the head in runs, const or not.
template <typename Run, typename Runs> static Run *runIn(Runs &runs, QStringView head)
{
    const uint hash = qHash(head);
    for (auto it = runs.find(hash); it != runs.end() && it.key() == hash; ++it) {
        if (head.compare(it->head) == 0)
            return &it.value();
    }
    return nullptr;
}

const NameTable::Run *NameTable::runOf(QStringView head) const
{
    return runIn<const Run>(runs, head);
}

NameTable::Run *NameTable::runOf(QStringView head)
{
    return runIn<Run>(runs, head);
}

void NameTable::clear()
{
    runs.clear();
    others.clear();
}

void NameTable::insert(Node *node)
{
    int headLength = 0;
    const int number = copyNumber(node->name, headLength);
    if (number >= 0) {
        const QStringView head = QStringView(node->name).left(headLength);
        Run *found = runOf(head);
        if (!found)
            found = &runs.insert(qHash(head), Run{head.toString(), {}, 0}).value();
        Run &run = *found;
        if (number < run.byNumber.size() + maxNumberGap) {
            if (number >= run.byNumber.size())
                run.byNumber.resize(number + 1);
            if (!run.byNumber.at(number)) {
                run.byNumber[number] = node;
                return;
            }
        }
        ++run.others;
    }
    others.insert(node);
}

void NameTable::remove(Node *node)
{
    int headLength = 0;
    const int number = copyNumber(node->name, headLength);
    if (number < 0) {
        others.remove(node);
        return;
    }
    const QStringView head = QStringView(node->name).left(headLength);
    Run *found = runOf(head);
    if (!found)
        return;
    Run &run = *found;
    if (number < run.byNumber.size() && run.byNumber.at(number) == node) {
        run.byNumber[number] = nullptr;
        while (!run.byNumber.isEmpty() && !run.byNumber.last())
            run.byNumber.removeLast();
    } else {
        --run.others;
        others.remove(node);
    }
    if (run.byNumber.isEmpty() && run.others == 0)
        dropRun(head, &run);
}

// Trial copies that analysis takes back leave their runs empty, each with the room of its
// numbers; a large file would keep thousands of them.
void NameTable::dropRun(QStringView head, const Run *run)
{
    const uint hash = qHash(head);
    for (auto it = runs.find(hash); it != runs.end() && it.key() == hash; ++it) {
        if (&it.value() == run) {
            runs.erase(it);
            return;
        }
    }
}
