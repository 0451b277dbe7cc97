#include "syntax/parameterindex.h"

#include "syntax/linetokens.h"
#include "syntax/node.h"

#include <algorithm>

namespace {

const int rereadMode = 4;

// The line a position falls on.
int lineOf(const QVector<int> &lineStarts, int position)
{
    const auto after = std::upper_bound(lineStarts.begin(), lineStarts.end(), position);
    return int(after - lineStarts.begin()) - 1;
}

// Calls take with each valued parameter under root, in document order.
template <typename Take> void forEachValued(Node *root, Take take)
{
    QVector<Node *> stack{root};
    while (!stack.isEmpty()) {
        Node *node = stack.takeLast();
        for (int i = node->children.size() - 1; i >= 0; --i)
            stack.append(node->children.at(i));
        if (node->children.isEmpty() && !node->values.isEmpty() && node->position >= 0)
            take(node);
    }
}

// Valued parameters ordered by the line their position falls on, in document order within one.
QVector<Node *> valuedByLine(Node *root, const QVector<int> &lineStarts)
{
    // Counted first, so that the list of a large tree is made once at its size.
    int count = 0;
    forEachValued(root, [&count](Node *) { ++count; });
    QVector<Node *> valued;
    valued.reserve(count);
    forEachValued(root, [&valued](Node *node) { valued.append(node); });
    const auto byLine = [&lineStarts](const Node *a, const Node *b) {
        return lineOf(lineStarts, a->position) < lineOf(lineStarts, b->position);
    };
    // The tree holds them in that order as a rule; sorting would take a copy of them all.
    if (!std::is_sorted(valued.begin(), valued.end(), byLine))
        std::stable_sort(valued.begin(), valued.end(), byLine);
    return valued;
}

// How many of values, from the first on, equal the tokens from index from on.
int matchingValues(const QStringList &values, const QVector<LineToken> &tokens, int from)
{
    int count = 0;
    while (count < values.size() && from + count < tokens.size() &&
           values.at(count) == tokens.at(from + count).text)
        ++count;
    return count;
}

} // namespace

ParameterIndex::ParameterIndex(Node *root, const QStringList &lines)
{
    if (!root)
        return;
    QVector<int> lineStarts;
    lineStarts.reserve(lines.size());
    int position = 0;
    for (const QString &line : lines) {
        lineStarts.append(position);
        position += line.size() + 1;
    }
    const QVector<Node *> byLine = valuedByLine(root, lineStarts);
    auto group = byLine.cbegin();
    ownersStart.reserve(lines.size() + 1);
    // Most valued parameters own one token.
    tokenOwner.reserve(byLine.size());

    // A parameter repeated over several lines records only the first; its later values
    // continue on the following data lines.
    Node *pending = nullptr;
    QStringList pendingValues;
    for (int line = 0; line < lines.size(); ++line) {
        ownersStart.append(tokenOwner.size());
        const auto groupEnd = std::find_if(group, byLine.cend(), [&](const Node *valued) {
            return lineOf(lineStarts, valued->position) > line;
        });
        const auto lineGroup = group;
        group = groupEnd;
        if (!pending && lineGroup == groupEnd)
            continue;
        const QVector<LineToken> tokens = dataTokens(lines.at(line));
        if (tokens.isEmpty())
            continue;
        QVector<Node *> lineOwners(tokens.size(), nullptr);
        int next = 0;
        const auto take = [&](Node *parameter, const QStringList &values) {
            const int count = matchingValues(values, tokens, next);
            std::fill(lineOwners.begin() + next, lineOwners.begin() + next + count, parameter);
            next += count;
            return count;
        };
        if (pending) {
            const int count = take(pending, pendingValues);
            pendingValues = pendingValues.mid(count);
            if (pendingValues.isEmpty() || count == 0)
                pending = nullptr;
        }
        for (auto valued = lineGroup; valued != groupEnd; ++valued) {
            Node *parameter = *valued;
            // A deciding parameter only looks at the token that the next one reads again.
            if (parameter->cmode() == rereadMode)
                continue;
            // A parameter skipped by its condition holds its default without a token.
            const int count = take(parameter, parameter->values);
            if (count > 0 && count < parameter->values.size() && next == tokens.size()) {
                pending = parameter;
                pendingValues = parameter->values.mid(count);
            }
        }
        tokenOwner += lineOwners;
    }
    ownersStart.append(tokenOwner.size());
}

QVector<Node *> ParameterIndex::tokenOwners(int line) const
{
    if (line < 0 || line + 1 >= ownersStart.size())
        return QVector<Node *>();
    return tokenOwner.mid(ownersStart.at(line), ownersStart.at(line + 1) - ownersStart.at(line));
}

QVector<Node *> ParameterIndex::parametersOfLine(int line) const
{
    QVector<Node *> parameters;
    for (Node *owner : tokenOwners(line)) {
        if (owner && !parameters.contains(owner))
            parameters.append(owner);
    }
    return parameters;
}

Node *ParameterIndex::ownerAt(int line, const QString &text, int column, LineToken *token) const
{
    const QVector<LineToken> tokens = dataTokens(text);
    const QVector<Node *> lineOwners = tokenOwners(line);
    for (int t = 0; t < tokens.size(); ++t) {
        const LineToken &candidate = tokens.at(t);
        if (column >= candidate.column && column <= candidate.column + candidate.text.size() &&
            lineOwners.value(t)) {
            if (token)
                *token = candidate;
            return lineOwners.at(t);
        }
    }
    return nullptr;
}
