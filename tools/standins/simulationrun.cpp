#include "tools/standins/simulationrun.h"

#include "tools/standins/resultfiles.h"
#include "tools/standins/screenoutput.h"

#include <QDateTime>

#include <memory>

namespace {

constexpr int maximumCells = 64;
constexpr double timePerStep = 0.1;

} // namespace

SimulationRun::SimulationRun(const StandInKnobs &knobs, const QString &drivingFile,
                             bool switchToKeyboard, bool syntaxOnly)
    : knobs(knobs), drivingFile(drivingFile), switchToKeyboard(switchToKeyboard),
      syntaxOnly(syntaxOnly)
{
}

int SimulationRun::exec()
{
    clock.start();
    ScreenOutput::line(QStringLiteral("# ZELMORA version 7.0 (stand-in), driving file ") +
                       drivingFile);
    if (!reader.read(drivingFile)) {
        ScreenOutput::line(QStringLiteral("Input error: cannot read the driving file ") +
                           drivingFile);
        return 1;
    }
    messages = StandInMessages::forLanguage(reader.values(QStringLiteral("Language")).value(0));
    echoInput();

    const QStringList nameOfResults = reader.values(QStringLiteral("NameOfResults"));
    std::unique_ptr<ResultFiles> results;
    if (!nameOfResults.isEmpty()) {
        results = std::make_unique<ResultFiles>(nameOfResults.first(), drivingFile);
        if (!results->createDirectory()) {
            ScreenOutput::line(QStringLiteral("STOP in routine ResultFiles: cannot create ") +
                               results->directory());
            return 1;
        }
        results->removeFormerResults();
        const bool faulty = reader.verdict() != InputReader::Verdict::Accepted;
        results->writeInFile(reader.lines().mid(0, reader.firstUnreadLine()), faulty);
    }
    if (reader.verdict() != InputReader::Verdict::Accepted)
        return refuseInput();

    reachStage(QStringLiteral("input"));
    ScreenOutput::line(messages.initialisation);
    initialise();
    reachStage(QStringLiteral("init"));
    if (!results) {
        ScreenOutput::line(QStringLiteral("MESSAGE: the driving file names no result files"));
        return 1;
    }
    results->appendLog(QStringLiteral("ZELMORA stand-in run of %1, started %2")
                           .arg(drivingFile, QDateTime::currentDateTime().toString(Qt::ISODate)));
    if (syntaxOnly) {
        ScreenOutput::line(QStringLiteral("Syntax check only (-syntax): no time steps"));
        finish(*results);
        return 0;
    }
    const int code = timeSteps(*results);
    if (code == 0)
        finish(*results);
    return code;
}

// One screen line per input line taken, so that the editor can count its way to the line
// the run refused.
void SimulationRun::echoInput() const
{
    const QStringList &lines = reader.lines();
    for (int i = 0; i < reader.firstUnreadLine(); ++i) {
        if (!InputReader::isDataLine(lines[i]))
            continue;
        ScreenOutput::line(lines[i].trimmed());
        ScreenOutput::pauseMs(knobs.echoDelayMs);
    }
}

int SimulationRun::refuseInput() const
{
    const int index = reader.firstUnreadLine();
    const QString lineNumber = QString::number(index + 1);
    const QString text = reader.lines().value(index).trimmed();
    const bool lineRefused = reader.verdict() != InputReader::Verdict::EndOfFile;
    if (lineRefused && messages.echoRefusedLine)
        ScreenOutput::line(text);
    switch (reader.verdict()) {
    case InputReader::Verdict::Refused:
        ScreenOutput::line(
            messages.refused.arg(lineNumber, reader.refusedName(), reader.refusedType(), text));
        break;
    case InputReader::Verdict::EndOfFile:
        ScreenOutput::line(messages.endOfFile.arg(reader.refusedName(), reader.refusedType()));
        break;
    default:
        ScreenOutput::line(messages.tooMuchInput.arg(lineNumber, text));
        break;
    }
    if (switchToKeyboard) {
        ScreenOutput::line(QStringLiteral("Switching between file and keyboard input"));
        ScreenOutput::waitForKeyboard(QStringLiteral("Reverting to keyboard input: "));
    }
    return 1;
}

void SimulationRun::reachStage(const QString &stage) const
{
    if (knobs.hangAt == stage)
        ScreenOutput::hang();
    if (knobs.keyAt == stage)
        ScreenOutput::waitForKeyboard(QStringLiteral("Press any key to continue"));
}

void SimulationRun::initialise() const
{
    ScreenOutput::line(QStringLiteral("Grid: %1 x %2 x %3 cells")
                           .arg(cells(QStringLiteral("CellsX")))
                           .arg(cells(QStringLiteral("CellsY")))
                           .arg(cells(QStringLiteral("CellsZ"))));
    ScreenOutput::line(QStringLiteral("Coupling: ") +
                       reader.values(QStringLiteral("TypeOfCoupling")).join(QLatin1Char(' ')));
}

int SimulationRun::timeSteps(const ResultFiles &results) const
{
    const int x = cells(QStringLiteral("CellsX"));
    const int y = cells(QStringLiteral("CellsY"));
    const int z = cells(QStringLiteral("CellsZ"));
    const int narrowest = qMin(x, z);
    const double finalRadius = 0.4 * (y > 1 ? qMin(narrowest, y) : narrowest);
    results.appendTableRow(QStringLiteral("# step time radius"));
    for (int step = 1; step <= knobs.steps; ++step) {
        ScreenOutput::pauseMs(knobs.stepDelayMs);
        const double radius = finalRadius * step / knobs.steps;
        const QString time = QString::number(step * timePerStep, 'f', 2);
        const QString progress = QStringLiteral("Step %1 of %2: time %3 s, grain radius %4 cells")
                                     .arg(step)
                                     .arg(knobs.steps)
                                     .arg(time)
                                     .arg(radius, 0, 'f', 2);
        ScreenOutput::line(progress);
        results.appendLog(progress);
        results.appendTableRow(QStringLiteral("%1 %2 %3").arg(step).arg(time).arg(radius));
        if (!knobs.failWith.isEmpty() && step == (knobs.steps + 1) / 2) {
            const bool stop = knobs.failWith == QLatin1String("stop");
            ScreenOutput::line(stop
                                   ? QStringLiteral("STOP in routine PhaseFieldSolver: step failed")
                                   : QStringLiteral("MESSAGE: phase field out of bounds"));
            return 3;
        }
    }
    const bool vtk = reader.values(QStringLiteral("WriteModeOptions"))
                         .contains(QStringLiteral("vtk"), Qt::CaseInsensitive);
    results.writeFields(x, y, z, finalRadius, vtk);
    reachStage(QStringLiteral("run"));
    return 0;
}

void SimulationRun::finish(const ResultFiles &results) const
{
    const QString wallClock =
        QStringLiteral("Wall clock time: %1 s").arg(clock.elapsed() / 1000.0, 0, 'f', 2);
    ScreenOutput::line(wallClock);
    results.appendLog(wallClock);
}

// Grid sizes from the driving file, bounded so that the field results stay small.
int SimulationRun::cells(const QString &name) const
{
    bool ok = false;
    const int value = reader.values(name).value(0).toInt(&ok);
    return ok ? qBound(1, value, maximumCells) : 1;
}
