// Stand-in for the simulation program: answers the version query and runs a driving file
// the way the editor expects, with knobs in the environment (see standinknobs.h).
#include "tools/standins/screenoutput.h"
#include "tools/standins/simulationrun.h"
#include "tools/standins/standinknobs.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(MyRes);
    QCoreApplication application(argc, argv);
    const StandInKnobs knobs = StandInKnobs::fromEnvironment();
    const QStringList arguments = application.arguments().mid(1);

    if (arguments == QStringList{QStringLiteral("-v")}) {
        if (knobs.hangAt == QLatin1String("version"))
            ScreenOutput::hang();
        ScreenOutput::line(
            QStringLiteral("ZELMORA version 7.0 (stand-in for tests and demonstrations)"));
        return 0;
    }

    QString drivingFile;
    bool noSwitch = false;
    bool syntaxOnly = false;
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("-noswitch")) {
            noSwitch = true;
        } else if (argument == QLatin1String("-syntax")) {
            syntaxOnly = true;
        } else if (argument.startsWith(QLatin1Char('-')) || !drivingFile.isEmpty()) {
            ScreenOutput::line(QStringLiteral("Unrecognised input: ") + argument);
            return 2;
        } else {
            drivingFile = argument;
        }
    }
    if (drivingFile.isEmpty()) {
        ScreenOutput::line(
            QStringLiteral("Usage: ZELMORA_TQ <driving file> [-noswitch] [-syntax] | -v"));
        return 2;
    }
    return SimulationRun(knobs, drivingFile, !noSwitch, syntaxOnly).exec();
}
