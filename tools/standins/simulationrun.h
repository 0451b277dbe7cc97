#ifndef VORPEN_SIMULATIONRUN_H
#define VORPEN_SIMULATIONRUN_H

#include "tools/standins/inputreader.h"
#include "tools/standins/standinknobs.h"
#include "tools/standins/standinmessages.h"

#include <QElapsedTimer>

class ResultFiles;

// One run of the simulation stand-in on a driving file; exec() returns the exit code.
class SimulationRun
{
public:
    SimulationRun(const StandInKnobs &knobs, const QString &drivingFile, bool switchToKeyboard,
                  bool syntaxOnly);

    int exec();

private:
    void echoInput() const;
    int refuseInput() const;
    void reachStage(const QString &stage) const;
    void initialise() const;
    int timeSteps(const ResultFiles &results) const;
    void finish(const ResultFiles &results) const;
    int cells(const QString &name) const;

    StandInKnobs knobs;
    QString drivingFile;
    bool switchToKeyboard;
    bool syntaxOnly;
    InputReader reader;
    StandInMessages messages;
    QElapsedTimer clock;
};

#endif
