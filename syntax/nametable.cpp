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

// The run filed under the head in runs, const or not, or runs' end.
template <typename Runs> static auto runIn(Runs &runs, QStringView head) -> decltype(runs.end())
{
    const uint hash = qHash(head);
    for (auto it = runs.find(hash); it != runs.end() && it.key() == hash; ++it) {
        if (head.compare(it->head) == 0)
            return it;
    }
    return runs.end();
}

const NameTable::Run *NameTable::runOf(QStringView head) const
{
    const auto found = runIn(runs, head);
    return found == runs.end() ? nullptr : &found.value();
}

void NameTable::clear()
{
    runs.clear();
    others.clear();
}

void NameTable::insert(Node *node, const QString &name)
{
    int headLength = 0;
    const int number = copyNumber(name, headLength);
    if (number >= 0) {
        const QStringView head = QStringView(name).left(headLength);
        auto found = runIn(runs, head);
        if (found == runs.end()) {
            if (number == 0) {
                others.insert(node, name);
                return;
            }
            found = runs.insert(qHash(head), Run{head.toString(), {}, 0});
            takeNumberZero(found.value());
        }
        Run &run = found.value();
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
    others.insert(node, name);
}

void NameTable::remove(Node *node, const QString &name)
{
    int headLength = 0;
    const int number = copyNumber(name, headLength);
    if (number < 0) {
        others.remove(node, name);
        return;
    }
    const auto found = runIn(runs, QStringView(name).left(headLength));
    if (found == runs.end()) {
        others.remove(node, name);
        return;
    }
    Run &run = found.value();
    if (number < run.byNumber.size() && run.byNumber.at(number) == node) {
        run.byNumber[number] = nullptr;
        while (!run.byNumber.isEmpty() && !run.byNumber.last())
            run.byNumber.removeLast();
    } else {
        --run.others;
        others.remove(node, name);
    }
    // Trial copies that analysis takes back leave their runs empty, each with the room of its
    // numbers; a large file would keep thousands of them.
    if (run.byNumber.isEmpty() && run.others == 0)
        runs.erase(found);
}

void NameTable::takeNumberZero(Run &run)
{
    const QString name = run.head + QStringLiteral("_0");
    QVector<Node *> waiting;
    others.forEach(name, [&waiting](Node *node) { waiting.append(node); });
    for (Node *node : qAsConst(waiting)) {
        if (run.byNumber.isEmpty()) {
            others.remove(node, name);
            run.byNumber.append(node);
        } else {
            ++run.others;
        }
    }
}
