// vorpen-generate: writes a generated driving file to standard output, for trying the editor
// on large files.
#include "bench/drivingfilegenerator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes a valid ZELMORA driving file of the given size."));
    parser.addHelpOption();
    const QCommandLineOption version(QStringLiteral("syntax"), QStringLiteral("7.0 or 6.4"),
                                     QStringLiteral("version"), QStringLiteral("7.0"));
    const QCommandLineOption grains(QStringLiteral("grains"), QStringLiteral("Grains."),
                                    QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption times(QStringLiteral("times"), QStringLiteral("Output times."),
                                   QStringLiteral("n"), QStringLiteral("4"));
    const QCommandLineOption seeds(QStringLiteral("seeds"), QStringLiteral("Seed types."),
                                   QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption phases(QStringLiteral("phases"),
                                    QStringLiteral("Phases, the liquid included."),
                                    QStringLiteral("n"), QStringLiteral("3"));
    parser.addOptions({version, grains, times, seeds, phases});
    parser.process(app);

    DrivingFileSize size;
    size.grains = parser.value(grains).toInt();
    size.outputTimes = parser.value(times).toInt();
    size.seedTypes = parser.value(seeds).toInt();
    size.phases = parser.value(phases).toInt();
    QTextStream(stdout) << generateDrivingFile(parser.value(version), size);
    return 0;
}
