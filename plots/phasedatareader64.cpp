#include "plots/phasediagrams.h"

// Readers of the commented text that ZELMORA 6.4 writes into a driving file. The comments are
// the only labels of the values, so the tests below follow their English wording.

namespace {

const QString blockHeader = QStringLiteral("Input of the phase diagram of");

double valueOf(const QString &line)
{
    return line.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty).toDouble();
}

bool endsBlock(const QString &line)
{
    return line.contains(QLatin1String("Initial concentrations")) ||
           line.contains(QLatin1String("Molar volume")) ||
           line.contains(QLatin1String("Reading GES5"));
}

PhaseData *recordFromHeader(const QString &line)
{
    const QStringList words = line.mid(line.indexOf(blockHeader) + blockHeader.size())
                                  .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString phase = QStringLiteral("phase");
    const int first = words.indexOf(phase);
    const int second = first < 0 ? -1 : words.indexOf(phase, first + 1);
    auto *data = new PhaseData();
    if (first >= 0)
        data->phaseOne = words.value(first + 1);
    if (second >= 0)
        data->phaseTwo = words.value(second + 1).section(QLatin1Char(':'), 0, 0);
    return data;
}

// The comment of a value pair names a component in the given word, counted from 1.
QString word(const QString &comment, int number)
{
    return comment.split(QLatin1Char(' ')).value(number - 1);
}

int firstContaining(const QStringList &lines, const QString &text)
{
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(text))
            return i;
    }
    return -1;
}

} // namespace

void PhaseDiagrams::getPhaseDataFromDrivingFile(QString text)
{
    clearRecords();
    QString unit;
    QString type;
    QStringList collected;
    bool inBlock = false;
    const auto endBlock = [&]() {
        if (!inBlock)
            return;
        inBlock = false;
        const int index = records.size() - 1;
        records[index]->concentrationUnit = unit;
        records[index]->diagramType = type;
        if (type == QLatin1String("linearTQ"))
            cutVariablesLinearTQ(index, collected);
        else if (type == QLatin1String("linear"))
            cutVariablesLinear(index, collected);
        else if (type != QLatin1String("database"))
            records[index]->diagramType = QStringLiteral("invalid");
        type.clear();
        collected.clear();
    };

    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty())
            continue;
        if (line == QLatin1String("weight_percent")) {
            unit = QStringLiteral("[wt%]");
        } else if (line == QLatin1String("atom_percent")) {
            unit = QStringLiteral("[at%]");
        } else if (line.contains(blockHeader)) {
            endBlock();
            records.append(recordFromHeader(line));
            inBlock = true;
        } else if (!inBlock) {
            continue;
        } else if (line == QLatin1String("linear") || line == QLatin1String("linearTQ")) {
            type = line;
        } else if (line.startsWith(QLatin1Char('#')) && line.contains(QLatin1String("database"))) {
            type = QStringLiteral("database");
        } else if (endsBlock(line)) {
            endBlock();
        } else {
            collected.append(line);
        }
    }
    endBlock();
}

void PhaseDiagrams::cutVariablesLinear(int index, QStringList lines)
{
    const int start = firstContaining(lines, QStringLiteral("Temperature of"));
    if (start < 0) {
        markBlockInvalid(index);
        return;
    }
    int selected = index;
    for (int i = start; i < lines.size(); i += 2) {
        const QString &comment = lines[i];
        if (!comment.startsWith(QLatin1Char('#'))) {
            markBlockInvalid(index);
            return;
        }
        const double value = valueOf(lines.value(i + 1));
        if (comment.contains(QLatin1String("Temperature of"))) {
            setBlockTemperature(index, value);
            continue;
        }
        if (comment.contains(QLatin1String("component"))) {
            QString component;
            if (comment.contains(QLatin1String("Concentration")))
                component = word(comment, 8);
            else if (comment.contains(QLatin1String("Slope")))
                component = word(comment, 11);
            if (!component.isEmpty())
                selected = componentRecord(index, component);
        }
        PhaseData *data = records[selected];
        if (comment.contains(QLatin1String("Reference point 1")))
            data->concentrationOne = value;
        else if (comment.contains(QLatin1String("Reference point 2")))
            data->concentrationTwo = value;
        else if (comment.contains(QLatin1String("at reference point 1")))
            data->slopeOne = value;
        else if (comment.contains(QLatin1String("at reference point 2")))
            data->slopeTwo = value;
    }
}

void PhaseDiagrams::cutVariablesLinearTQ(int index, QStringList lines)
{
    const int start = firstContaining(lines, QStringLiteral("T0 [K]"));
    if (start < 0) {
        markBlockInvalid(index);
        return;
    }
    int selected = index;
    for (int i = start; i < lines.size(); i += 2) {
        const QString &comment = lines[i];
        if (!comment.startsWith(QLatin1Char('#')) && !comment.startsWith(QLatin1Char('!'))) {
            markBlockInvalid(index);
            return;
        }
        const double value = valueOf(lines.value(i + 1));
        if (comment.contains(QLatin1String("T0 [K]"))) {
            setBlockTemperature(index, value);
            continue;
        }
        const bool namesComponent = comment.contains(QLatin1String("component"));
        const bool concentration = comment.contains(QLatin1String("c0("));
        const bool bracketForm =
            !namesComponent && (concentration || comment.contains(QLatin1String("m(")));
        if (namesComponent) {
            selected = componentRecord(index, word(comment, 5));
        } else if (bracketForm) {
            const int open = comment.indexOf(QLatin1Char('('));
            const int close = comment.indexOf(QLatin1Char(')'), open + 1);
            if (close > open)
                selected = componentRecord(index, comment.mid(open + 1, close - open - 1));
        }
        PhaseData *data = records[selected];
        if (bracketForm) {
            const QString phase = comment.section(QLatin1Char('/'), 1, 1).trimmed();
            setBlockPhaseName(index, phase);
            const bool phaseOne = phase == data->phaseOne;
            if (concentration)
                (phaseOne ? data->concentrationOne : data->concentrationTwo) = value;
            else
                (phaseOne ? data->slopeOne : data->slopeTwo) = value;
        } else if (comment.contains(QStringLiteral("phase ") + data->phaseOne)) {
            if (comment.contains(QLatin1String("c0 of")))
                data->concentrationOne = value;
            else if (comment.contains(QLatin1String("m of")))
                data->slopeOne = value;
        } else if (comment.contains(QStringLiteral("phase ") + data->phaseTwo)) {
            if (comment.contains(QLatin1String("c0 of")))
                data->concentrationTwo = value;
            else if (comment.contains(QLatin1String("m of")))
                data->slopeTwo = value;
        }
    }
}

int PhaseDiagrams::componentRecord(int blockIndex, const QString &component)
{
    for (int i = blockIndex; i < records.size(); ++i) {
        if (records[i]->componentName == component)
            return i;
    }
    PhaseData *first = records[blockIndex];
    if (first->componentName.isEmpty()) {
        first->componentName = component;
        return blockIndex;
    }
    auto *data = new PhaseData();
    data->diagramType = first->diagramType;
    data->concentrationUnit = first->concentrationUnit;
    data->referenceTemperature = first->referenceTemperature;
    data->phaseOne = first->phaseOne;
    data->phaseTwo = first->phaseTwo;
    data->componentName = component;
    records.append(data);
    return records.size() - 1;
}

void PhaseDiagrams::markBlockInvalid(int blockIndex)
{
    for (int i = blockIndex; i < records.size(); ++i)
        records[i]->diagramType = QStringLiteral("invalid");
}

void PhaseDiagrams::setBlockTemperature(int blockIndex, double temperature)
{
    for (int i = blockIndex; i < records.size(); ++i)
        records[i]->referenceTemperature = temperature;
}

// Short placeholder names from the block header ("0", "1") give way to the names that the
// value comments use; the first new name goes to phase one.
void PhaseDiagrams::setBlockPhaseName(int blockIndex, const QString &phase)
{
    if (phase.isEmpty())
        return;
    const PhaseData *first = records[blockIndex];
    const bool toOne = first->phaseOne.size() <= 2;
    const bool toTwo = !toOne && phase != first->phaseOne && first->phaseTwo.size() <= 2;
    for (int i = blockIndex; i < records.size(); ++i) {
        if (toOne)
            records[i]->phaseOne = phase;
        else if (toTwo)
            records[i]->phaseTwo = phase;
    }
}
