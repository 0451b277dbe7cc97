#include "run/resultnaming.h"

#include <QDir>

namespace {

const QStringList sideLineParts = {QStringLiteral("1DExt"), QStringLiteral("1DEast"),
                                   QStringLiteral("1DWest")};

struct Classified
{
    bool keep = false;
    bool vtk = false;
    QString suffix;
};

// The stem's last "_" piece belongs to the suffix of VTK fields ("Test_phas.vtk").
bool applyVtkRule(const QString &stem, Classified &c)
{
    const QStringList pieces = stem.split(QLatin1Char('_'));
    if (pieces.size() < 2)
        return false;
    c.suffix = pieces.last() + QLatin1Char('.') + c.suffix;
    c.vtk = true;
    return true;
}

bool applyGeneralRule(const QString &stem, Classified &c)
{
    if (c.suffix.contains(QLatin1String("geoF")) || c.suffix.contains(QLatin1String("rest")))
        return false;
    const QStringList pieces = stem.split(QLatin1Char('_'));
    if (pieces.size() >= 2 && sideLineParts.contains(pieces.last()))
        c.suffix = pieces.last() + QLatin1Char('_') + c.suffix;
    return true;
}

// Works out the suffix the simulation would have given this file; keep is false when the file
// does not follow any of its naming patterns.
Classified classify(const QString &entry)
{
    Classified c;
    const QStringList parts = entry.split(QLatin1Char('.'));
    if (parts.size() < 2)
        return c;
    c.suffix = parts.last();
    QString stem = parts.at(parts.size() - 2);
    bool named = false;
    if (c.suffix == QLatin1String("gz")) {
        if (parts.size() < 3)
            return c;
        c.suffix = parts.at(parts.size() - 2) + QLatin1String(".gz");
        stem = parts.at(parts.size() - 3);
        named = applyVtkRule(stem, c);
    } else if (c.suffix == QLatin1String("vtk")) {
        named = applyVtkRule(stem, c);
    } else if (c.suffix == QLatin1String("zrc") || c.suffix == QLatin1String("txt")) {
        const QStringList pieces = stem.split(QLatin1Char('_'));
        if (pieces.size() < 2)
            return c;
        c.suffix = pieces.last() + QLatin1Char('.') + c.suffix;
        named = applyGeneralRule(pieces.at(pieces.size() - 2), c);
    } else {
        named = applyGeneralRule(stem, c);
    }
    c.keep = named;
    return c;
}

// The simulation inserts "_" where the expected name has "."; only the length can tell. A name
// one character shorter is the grid variant with "G." in place of ".".
bool matchesSimulation(const QString &entry, const QString &simName, const QString &suffix)
{
    QString expected = simName + QLatin1Char('.') + suffix;
    if (expected.size() == entry.size())
        return true;
    if (expected.size() == entry.size() - 1)
        return expected.replace(QLatin1Char('.'), QLatin1String("G.")) == entry;
    return false;
}

} // namespace

namespace ResultNaming {

QStringList list(const QString &resultDir, const QString &simName)
{
    const QDir dir(resultDir);
    if (!dir.exists())
        return {};
    const QStringList entries =
        dir.entryList({simName + QLatin1String("*.*")}, QDir::Files, QDir::Type);
    QStringList kept;
    bool plainVtkSeen = false;
    bool gzipVtkSeen = false;
    for (const QString &entry : entries) {
        const Classified c = classify(entry);
        if (!c.keep || !matchesSimulation(entry, simName, c.suffix))
            continue;
        if (c.vtk) {
            bool &seen = entry.contains(QLatin1String(".vtk.gz")) ? gzipVtkSeen : plainVtkSeen;
            if (seen)
                continue;
            seen = true;
        }
        kept.append(entry);
    }
    return kept;
}

bool isDisplayable(const QString &fileName)
{
    auto has = [&fileName](const char *text) { return fileName.contains(QLatin1String(text)); };
    if (has(".Tab"))
        return true;
    if (has(".in") && !has(".intf"))
        return true;
    if (has(".log") || has(".scr") || has(".dTLat") || has(".diff") || has(".txt"))
        return true;
    return has(".dri") && !has(".driv");
}

QString entryName(const QString &fileName)
{
    if (!fileName.contains(QLatin1String(".vtk")))
        return fileName;
    const QStringList parts = fileName.split(QLatin1Char('.'));
    const int fromEnd = fileName.contains(QLatin1String(".vtk.gz")) ? 3 : 2;
    if (parts.size() < fromEnd)
        return fileName;
    const QString field = parts.at(parts.size() - fromEnd).split(QLatin1Char('_')).last();
    QString name = fileName;
    return name.replace(QLatin1Char('_') + field + QLatin1Char('.'), QLatin1String("_...."));
}

QString entryLabel(const QString &entryName, const QString &simName)
{
    QString label = entryName;
    if (!simName.isEmpty())
        label.remove(simName);
    for (const char *text : {".zrc", ".txt", "_", "."})
        label.remove(QLatin1String(text));
    return label;
}

QString displayFile(const QString &resultDir, const QString &entryName)
{
    const QString last = entryName.split(QLatin1Char('.')).last();
    if (last != QLatin1String("gz") && last != QLatin1String("vtk"))
        return entryName;
    QString pattern = entryName;
    pattern.replace(QLatin1String("...."), QLatin1String("*"));
    const QStringList matches = QDir(resultDir).entryList({pattern}, QDir::Files, QDir::Name);
    return matches.isEmpty() ? QString() : matches.first();
}

} // namespace ResultNaming
