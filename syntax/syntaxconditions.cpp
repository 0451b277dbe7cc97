#include "syntax/syntaxanalyzer.h"

static const QString placeholder = QStringLiteral("..");
static const QStringList onlyPlaceholder{placeholder};

// "E:Name_x" names the definition's own parameter "Name".
static QString definedName(const QString &name)
{
    if (!name.startsWith(QLatin1String("E:")))
        return name;
    const QString bare = name.mid(2);
    const int underscore = bare.indexOf(QLatin1Char('_'));
    return underscore < 0 ? bare : bare.left(underscore);
}

static qint64 firstNumber(const QStringList &values)
{
    return values.isEmpty() ? 0 : values.first().toInt();
}

Node *SyntaxAnalyzer::getDependableNext(bool lineStart, int position)
{
    while (Node *node = getNext()) {
        node->position = position;
        const bool section = node->isSection();
        if (section && node->hasName(u"MolarVolumes"))
            updatePhaseCounters();

        // Only a parameter skipped by its condition records its default.
        bool keep;
        bool byCondition = false;
        if (node->cmode() == 3)
            countPending = countValue < expectedPhaseCount;
        if (node->cmode() == 3 && countPending) {
            keep = false;
        } else if (lineStart && node->typeSays(NodeDefinition::LineOptional)) {
            keep = false;
        } else {
            keep = conditionKeeps(node);
            byCondition = !keep;
        }

        if (!keep) {
            if (section)
                leaveSection(node);
            else if (byCondition && !node->defaultValue().isEmpty())
                node->values.append(node->defaultValue());
            continue;
        }
        if (!section) {
            currentNode = node;
            return node;
        }
        if (node->terse() == 4) {
            savedLines.push(lineCounter);
            savedPositions.push(linePosition);
        }
        if (!node->definition->cname.isEmpty() && node->cvalues().isEmpty() &&
            !repeatSection(node)) {
            currentNode = nullptr;
            return nullptr;
        }
    }
    currentNode = nullptr;
    return nullptr;
}

bool SyntaxAnalyzer::conditionKeeps(Node *node)
{
    if (node->definition->cname.isEmpty() || node->cvalues().isEmpty())
        return node->cmode() != 0 && node->cmode() != 2;

    const ConditionGroups::Parsed &parsed = conditionGroups.of(node->cvalues());
    const QString &cname = node->cname();
    bool all = true;
    bool any = false;
    if (cname.startsWith(QLatin1String("find:"))) {
        all = any = find(cname.mid(5).split(QLatin1Char(',')), parsed.groups.first());
        if (node->cmode() == 2)
            return false;
    } else {
        static const QStringList noAlternatives{QString()};
        int k = 0;
        forEachConditionName(cname, [&](const QStringRef &name, bool) {
            // A plain name is looked up in place, without a copy of its characters.
            const bool match = nameMatches(
                name.startsWith(QLatin1String("E:"))
                    ? definedName(name.toString())
                    : QString::fromRawData(name.unicode(), name.size()),
                k < parsed.alternatives.size() ? parsed.alternatives.at(k) : noAlternatives);
            all = all && match;
            any = any || match;
            ++k;
        });
    }
    switch (node->cmode()) {
    case 0:
        return !all;
    case 2:
        return any;
    default:
        return all;
    }
}

bool SyntaxAnalyzer::nameMatches(const QString &name, const QStringList &alternatives)
{
    Node *found = nullptr;
    QStringList values = getValues(name, false, found);
    if (values.isEmpty())
        values = onlyPlaceholder;
    for (const QString &value : qAsConst(values)) {
        for (const QString &alternative : alternatives) {
            if (value == placeholder && alternative == QLatin1String("isEmpty"))
                return true;
            // Letter case is folded one character at a time, so only equal lengths can match.
            if (value.size() == alternative.size() &&
                value.compare(alternative, Qt::CaseInsensitive) == 0)
                return true;
            if (alternative.startsWith(QLatin1String("contains:")) &&
                value.toLower().contains(
                    alternative.mid(alternative.indexOf(QLatin1Char(':')) + 1)))
                return true;
        }
    }
    return false;
}

void SyntaxAnalyzer::updatePhaseCounters()
{
    Node *found = nullptr;
    const QStringList phases = getValues(QStringLiteral("NumberOfPhases"), false, found);
    expectedPhaseCount =
        phases.size() == 1 ? int(qBound<qint64>(INT_MIN, firstNumber(phases) + 1, INT_MAX)) : 0;

    getValues(QStringLiteral("Phase"), false, found);
    if (found && found->parent) {
        const QVector<Node *> &entries = found->parent->children;
        int valued = 0;
        for (int i = 0; i < entries.size(); i += 2) {
            if (!entries.at(i)->values.isEmpty())
                ++valued;
        }
        countValue = 1 + valued;
    }
}

// Multiplies a counted section; false when the copies would pass the node limit.
bool SyntaxAnalyzer::repeatSection(Node *section)
{
    QStringList names = section->cname().split(QLatin1Char(','));
    for (QString &name : names)
        name = definedName(name);
    const bool twoNames = names.size() == 2;

    qint64 c1;
    qint64 c2 = 1;
    if (names.first().contains(QLatin1String("Dimensions"))) {
        c1 = dimensionCount();
        if (twoNames)
            c2 = secondCount(names.at(1), 1);
    } else if (names.first().contains(QLatin1String("ActivePhaseInteractions"))) {
        c1 = activePhaseInteractions();
        if (twoNames)
            c2 = secondCount(names.at(1), 0);
    } else {
        bool skip = false;
        c1 = firstCount(names.first(), twoNames, skip);
        if (skip) {
            leaveSection(section);
            return true;
        }
        if (twoNames)
            c2 = secondCount(names.at(1), 0);
    }

    const qint64 copies = c1 * c2 - 1;
    if (copies < 0) {
        leaveSection(section);
    } else if (copies > maxCopiedNodes) {
        oversizedSection = section;
    } else if (copies > 0) {
        copySection(section, int(copies), QString());
    }
    return oversizedSection == nullptr;
}

qint64 SyntaxAnalyzer::dimensionCount()
{
    qint64 cells[3];
    const QStringList names = {QStringLiteral("CellsX"), QStringLiteral("CellsY"),
                               QStringLiteral("CellsZ")};
    for (int i = 0; i < 3; ++i) {
        Node *found = nullptr;
        const QStringList values = getValues(names.at(i), false, found);
        cells[i] = values.isEmpty() ? 1 : firstNumber(values);
    }
    return cells[0] > 1 && cells[1] > 1 && cells[2] > 1 ? 3 : 2;
}

// Enabled interactions between two different phases, following the phase pairs in the order a
// driving file lists them.
qint64 SyntaxAnalyzer::activePhaseInteractions()
{
    Node *enabled = nullptr;
    getValues(QStringLiteral("PIEnabled"), false, enabled);
    if (!enabled || !enabled->parent)
        return 0;
    Node *found = nullptr;
    const QStringList phases = getValues(QStringLiteral("NumberOfPhases"), false, found);
    const qint64 limit = phases.isEmpty() ? 0 : firstNumber(phases) + 1;

    qint64 one = -1;
    qint64 two = limit - 1;
    qint64 count = 0;
    for (Node *child : qAsConst(enabled->parent->children)) {
        if (child->nameStartsWith(QLatin1String("PIPhaseOne"))) {
            if (!child->values.isEmpty()) {
                one = firstNumber(child->values);
            } else if (++two == limit) {
                ++one;
                two = qMax<qint64>(one, 1);
            }
        } else if (child->nameStartsWith(QLatin1String("PIPhaseTwo"))) {
            if (!child->values.isEmpty())
                two = firstNumber(child->values);
        } else if (child->nameStartsWith(QLatin1String("PIEnabled"))) {
            if (!child->values.isEmpty() && one != two &&
                child->values.first() == QLatin1String("phase_interaction"))
                ++count;
        }
    }
    return count;
}

qint64 SyntaxAnalyzer::valuedInstances(Node *parameter, const QString &name)
{
    qint64 count = 0;
    if (parameter->parent) {
        const QString prefix = name + QLatin1Char('_');
        for (Node *sibling : qAsConst(parameter->parent->children)) {
            if (!sibling->values.isEmpty() &&
                (sibling->hasName(name) || sibling->nameStartsWith(prefix)))
                ++count;
        }
    }
    if (name == QLatin1String("Component"))
        --count;
    return count;
}

qint64 SyntaxAnalyzer::firstCount(const QString &name, bool twoNames, bool &skip)
{
    QString bare = name;
    const bool plusOne = bare.endsWith(QLatin1Char('+'));
    if (plusOne)
        bare.chop(1);
    Node *found = nullptr;
    const QStringList values = getValues(bare, false, found);
    if (!found) {
        skip = !twoNames;
        return 0;
    }
    if (!bare.contains(QLatin1String("NumberOf")))
        return valuedInstances(found, bare);
    if (bare.contains(QLatin1String("Phase")) && countPending) {
        countPending = false;
        return countValue;
    }
    if (values.isEmpty())
        return 0;
    return firstNumber(values) + (plusOne ? 1 : 0);
}

qint64 SyntaxAnalyzer::secondCount(const QString &name, qint64 start)
{
    qint64 count = start;
    if (name != QLatin1String("None")) {
        Node *found = nullptr;
        const QStringList values = getValues(name, false, found);
        if (found && found->nameContains(QLatin1String("NumberOf"))) {
            if (!values.isEmpty())
                count = firstNumber(values);
            if (name.contains(QLatin1String("Phase")))
                ++count;
        } else if (found) {
            count += valuedInstances(found, name);
        }
    }
    return qMax<qint64>(count, 1);
}
