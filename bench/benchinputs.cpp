#include "bench/benchinputs.h"

#include <QHash>

QString benchText(const QString &version, Grown grown, int n)
{
    // Generating is not what is measured, and the same file serves many runs.
    static QHash<QString, QString> cache;
    const QString key = QStringLiteral("%1/%2/%3").arg(version).arg(int(grown)).arg(n);
    auto found = cache.find(key);
    if (found != cache.end())
        return found.value();
    DrivingFileSize size;
    switch (grown) {
    case Grown::Grains:
        size.grains = n;
        break;
    case Grown::OutputTimes:
        size.outputTimes = n;
        break;
    case Grown::SeedTypes:
        size.seedTypes = n;
        break;
    case Grown::Phases:
        size.phases = n;
        break;
    }
    return cache.insert(key, generateDrivingFile(version, size)).value();
}

QStringList benchLines(const QString &version, Grown grown, int n)
{
    return benchText(version, grown, n).split(QLatin1Char('\n'));
}

QString grammarOf(const QString &version)
{
    return version == QLatin1String("6.4") ? QStringLiteral("ZEL_Syntax_6-4.xml")
                                           : QStringLiteral("ZEL_Syntax_7-0.xml");
}
