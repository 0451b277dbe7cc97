#include "plots/anisotropyplots.h"

#include <algorithm>

// Reader of the commented text that ZELMORA 6.4 writes into a driving file: the phase data
// give each phase's symmetry, each "anisotropic" interface is followed by its coefficients.

namespace {

const QStringList knownSymmetries = {QStringLiteral("none"),         QStringLiteral("cubic"),
                                     QStringLiteral("hexagonal"),    QStringLiteral("tetragonal"),
                                     QStringLiteral("orthorhombic"), QStringLiteral("isotropic")};

int lastLine(const QStringList &lines, const QString &text)
{
    for (int i = lines.size() - 1; i >= 0; --i) {
        if (lines[i].trimmed() == text)
            return i;
    }
    return -1;
}

// Name of the phase whose section starts below `line`: its last word, without a colon.
QString phaseNameOf(const QString &line)
{
    QString name = line.trimmed().section(QLatin1Char(' '), -1).trimmed();
    if (name.contains(QLatin1Char(':')))
        name.chop(1);
    return name;
}

double numberAt(const QStringList &lines, int index)
{
    return lines.value(index).trimmed().toDouble();
}

} // namespace

bool AnisotropyPlots::polarPlotData(QString text)
{
    clearRecords();
    const QStringList lines = text.split(QLatin1Char('\n'));
    int i = lastLine(lines, QStringLiteral("# Phase data"));
    if (i < 0)
        return true;
    int phases = lines.value(i + 3).trimmed().toInt();
    symmetries = {{QStringLiteral("0"), QStringLiteral("isotropic"), false}};

    QString name;
    bool faceted = false;
    for (; phases > 0 && i < lines.size() - 1; ++i) {
        const QString line = lines[i].trimmed();
        if (line.contains(QLatin1String("# -----"))) {
            name = phaseNameOf(lines.value(i - 1));
        } else if (!line.isEmpty() && !line.startsWith(QLatin1Char('#'))) {
            const QString value = line.toLower();
            faceted = faceted || value.contains(QLatin1String("faceted"));
            if (knownSymmetries.contains(value)) {
                symmetries.append({name, value, faceted});
                --phases;
                faceted = false;
            }
        }
    }

    for (; i < lines.size() && lines[i].trimmed() != QLatin1String("# Phase diagram - input data");
         ++i) {
        if (lines[i].trimmed() != QLatin1String("anisotropic"))
            continue;
        AnisotropyData *data = insertAnisotropyData(lines, i);
        if (data->phaseOneFaceted || data->phaseTwoFaceted) {
            delete data;
            continue;
        }
        records.append(data);
        readCoefficients64(data, lines, i);
    }
    return true;
}

void AnisotropyPlots::readCoefficients64(AnisotropyData *data, const QStringList &lines, int index)
{
    const QString symmetry = data->pairSymmetry();
    if (symmetry == QLatin1String("cubic") || symmetry == QLatin1String("hexagonal")) {
        data->stiffness[0] = numberAt(lines, index + 4);
        data->mobility[0] = numberAt(lines, index + 8);
    } else if (symmetry == QLatin1String("tetragonal") ||
               symmetry == QLatin1String("orthorhombic")) {
        coefficientsFromLine(lines.value(index + 5), symmetry, data->stiffness);
        coefficientsFromLine(lines.value(index + 10), symmetry, data->mobility);
    }
}

AnisotropyData *AnisotropyPlots::insertAnisotropyData(QList<QString> lines, int index)
{
    auto *data = new AnisotropyData();
    int found = -1;
    for (int i = std::min(index, int(lines.size()) - 1); i >= 1 && found < 0; --i) {
        if (lines[i].contains(QLatin1String("# ------")))
            found = i;
    }
    if (found < 0)
        return data;
    // The header reads like "# Data for phase interaction 0 / 1:".
    const QStringList parts = lines[found - 1].split(QLatin1Char(' '));
    if (parts.size() != 8)
        return data;
    QString phaseTwo = parts[7];
    if (phaseTwo.endsWith(QLatin1Char(':')))
        phaseTwo.chop(1);
    const QString phaseOne = parts[5];
    data->title =
        QStringList({parts[3], parts[4], parts[5], parts[6], phaseTwo}).join(QLatin1Char(' '));
    for (const PhaseSymmetry &phase : qAsConst(symmetries)) {
        if (phase.phaseName == phaseOne)
            data->setPhaseOne(phase);
        if (phase.phaseName == phaseTwo)
            data->setPhaseTwo(phase);
    }
    return data;
}
