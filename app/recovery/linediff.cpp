#include "app/recovery/linediff.h"

#include <QStringList>
#include <QVector>

#include <algorithm>

namespace {

const int context = 2;
// Beyond this many cells the changed middle is shown as replaced as a whole.
const qint64 largestTable = 4000000;

enum class Kind
{
    Same,
    Removed,
    Added
};

struct Step
{
    Kind kind;
    QString line;
};

// Longest common subsequence of two short runs of lines, as steps through both.
QVector<Step> alignMiddle(const QStringList &a, int aFrom, int aTo, const QStringList &b, int bFrom,
                          int bTo)
{
    const int n = aTo - aFrom;
    const int m = bTo - bFrom;
    QVector<Step> steps;
    if (qint64(n) * m > largestTable) {
        for (int i = aFrom; i < aTo; ++i)
            steps.append({Kind::Removed, a[i]});
        for (int j = bFrom; j < bTo; ++j)
            steps.append({Kind::Added, b[j]});
        return steps;
    }
    QVector<int> table((n + 1) * (m + 1), 0);
    const auto at = [&](int i, int j) -> int & { return table[i * (m + 1) + j]; };
    for (int i = n - 1; i >= 0; --i) {
        for (int j = m - 1; j >= 0; --j) {
            at(i, j) = a[aFrom + i] == b[bFrom + j] ? at(i + 1, j + 1) + 1
                                                    : std::max(at(i + 1, j), at(i, j + 1));
        }
    }
    int i = 0;
    int j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && a[aFrom + i] == b[bFrom + j]) {
            steps.append({Kind::Same, a[aFrom + i]});
            ++i;
            ++j;
        } else if (j < m && (i == n || at(i, j + 1) > at(i + 1, j))) {
            steps.append({Kind::Added, b[bFrom + j++]});
        } else {
            steps.append({Kind::Removed, a[aFrom + i++]});
        }
    }
    return steps;
}

QVector<Step> align(const QStringList &a, const QStringList &b)
{
    int prefix = 0;
    while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix])
        ++prefix;
    int suffix = 0;
    while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
           a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix])
        ++suffix;
    QVector<Step> steps;
    for (int i = 0; i < prefix; ++i)
        steps.append({Kind::Same, a[i]});
    steps += alignMiddle(a, prefix, a.size() - suffix, b, prefix, b.size() - suffix);
    for (int i = a.size() - suffix; i < a.size(); ++i)
        steps.append({Kind::Same, a[i]});
    return steps;
}

bool nearChange(const QVector<Step> &steps, int index)
{
    const int from = std::max(0, index - context);
    const int to = std::min(int(steps.size()) - 1, index + context);
    for (int k = from; k <= to; ++k) {
        if (steps[k].kind != Kind::Same)
            return true;
    }
    return false;
}

} // namespace

QString lineDifferences(const QString &before, const QString &after)
{
    const QVector<Step> steps =
        align(before.split(QLatin1Char('\n')), after.split(QLatin1Char('\n')));
    QString out;
    int beforeLine = 0;
    bool inHunk = false;
    for (int k = 0; k < steps.size(); ++k) {
        const Step &step = steps[k];
        if (!nearChange(steps, k)) {
            inHunk = false;
        } else {
            if (!inHunk)
                out += QStringLiteral("@@ line %1 @@\n").arg(beforeLine + 1);
            inHunk = true;
            const char *mark = step.kind == Kind::Same      ? "  "
                               : step.kind == Kind::Removed ? "- "
                                                            : "+ ";
            out += QLatin1String(mark) + step.line + QLatin1Char('\n');
        }
        if (step.kind != Kind::Added)
            ++beforeLine;
    }
    return out;
}
