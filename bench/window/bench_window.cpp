// bench_window: the real program against a plain editor, side by side, on an X display. Starts
// the built vorpen and vorpen-peer on generated files, times the paints the X server reports,
// reads their peak memory after opening and after a typing session, and prints the medians of
// the runs with the ratios of the goals. Exits 1 when a goal is missed.
#include "bench/window/programrun.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

QTextStream out(stdout);

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    file.open(QIODevice::ReadOnly);
    return QString::fromLatin1(file.readAll()).section(QLatin1Char(' '), 0, 2);
}

bool generate(const QString &generator, int grains, const QString &path)
{
    QProcess process;
    process.setStandardOutputFile(path);
    process.start(generator, {QStringLiteral("--grains"), QString::number(grains)});
    return process.waitForFinished(120000) && process.exitCode() == 0;
}

double median(const QVector<RunFigures> &runs, double RunFigures::*figure)
{
    QVector<double> values;
    for (const RunFigures &run : runs) {
        if (run.*figure >= 0)
            values << run.*figure;
    }
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

QString number(double value, int decimals)
{
    return value < 0 ? QStringLiteral("-") : QString::number(value, 'f', decimals);
}

void printRun(const QString &label, int run, const RunFigures &figures)
{
    out << QStringLiteral("  %1 run %2: text %3 ms, verdict %4 ms, peak %5 MB open, %6 MB typed, "
                          "key p95 %7 ms (load %8)\n")
               .arg(label)
               .arg(run)
               .arg(number(figures.textMs, 0), number(figures.verdictMs, 0),
                    number(figures.openPeakMB, 0), number(figures.typedPeakMB, 0),
                    number(figures.keyP95Ms, 1), loadAverage());
    out.flush();
}

int missed = 0;

// One line of the summary: both medians, their ratio and whether it meets its goal.
void goal(const QString &what, double vorpen, double peer, double limit, const QString &goalText)
{
    const bool measured = vorpen >= 0 && peer > 0;
    const bool met = measured && vorpen <= limit;
    missed += met ? 0 : 1;
    out << QStringLiteral("  %1%2%3  ratio %4  goal %5: %6\n")
               .arg(what, -38)
               .arg(number(vorpen, 1), 9)
               .arg(number(peer, 1), 9)
               .arg(number(measured ? vorpen / peer : -1, 2), 5)
               .arg(goalText, met ? QStringLiteral("met") : QStringLiteral("MISSED"));
}

void ratioGoal(const QString &what, double vorpen, double peer, double ratio)
{
    goal(what, vorpen, peer, ratio * peer, QStringLiteral("<= %1x").arg(ratio, 0, 'f', 2));
}

struct Case
{
    QString file;
    int typingRounds = 0;
    QVector<RunFigures> vorpen;
    QVector<RunFigures> peer;
};

// Runs the two programs in turns, so that a burst of load hits both alike.
void runCase(Case &measured, ProgramRun &vorpen, ProgramRun &peer, int runs)
{
    for (int run = 1; run <= runs; ++run) {
        measured.vorpen << vorpen.measure(measured.file, measured.typingRounds);
        printRun(QStringLiteral("vorpen"), run, measured.vorpen.last());
        measured.peer << peer.measure(measured.file, measured.typingRounds);
        printRun(QStringLiteral("peer  "), run, measured.peer.last());
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption vorpenOption(QStringLiteral("vorpen"), QStringLiteral("The editor."),
                                          QStringLiteral("path"));
    const QCommandLineOption peerOption(QStringLiteral("peer"), QStringLiteral("The peer."),
                                        QStringLiteral("path"));
    const QCommandLineOption generatorOption(
        QStringLiteral("generate"), QStringLiteral("vorpen-generate."), QStringLiteral("path"));
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Runs per case."),
                                        QStringLiteral("n"), QStringLiteral("3"));
    const QCommandLineOption roundsOption(QStringLiteral("rounds"),
                                          QStringLiteral("Typing rounds in the large file."),
                                          QStringLiteral("n"), QStringLiteral("20"));
    parser.addOptions({vorpenOption, peerOption, generatorOption, runsOption, roundsOption});
    parser.process(application);

    XPaintWatch watch;
    QString error;
    if (!watch.open(error)) {
        QTextStream(stderr) << "bench_window: " << error << "\n";
        return 2;
    }
    QTemporaryDir files;
    Case grains;
    grains.file = files.filePath(QStringLiteral("grains10000_dri.txt"));
    grains.typingRounds = parser.value(roundsOption).toInt();
    // About 7 lines per grain: 7,120 grains make a little more than 50,000 lines.
    Case lines;
    lines.file = files.filePath(QStringLiteral("lines50000_dri.txt"));
    lines.typingRounds = 5;
    const QString empty = files.filePath(QStringLiteral("empty_dri.txt"));
    QFile(empty).open(QIODevice::WriteOnly);
    const QString generator = parser.value(generatorOption);
    if (!generate(generator, 10000, grains.file) || !generate(generator, 7120, lines.file)) {
        QTextStream(stderr) << "bench_window: cannot generate the files with " << generator << "\n";
        return 2;
    }

    ProgramSetup vorpenSetup{QStringLiteral("vorpen"), parser.value(vorpenOption), {}, true, 0};
    ProgramSetup peerSetup{QStringLiteral("peer"), parser.value(peerOption), {}, false, 0};
    // The peer's window takes the size of Vorpen's.
    const WindowPixels vorpenWindow = ProgramRun(watch, vorpenSetup).settledWindow(empty);
    vorpenSetup.windowInkWithoutText = vorpenWindow.ink();
    peerSetup.arguments =
        QStringList{QStringLiteral("--size"),
                    QStringLiteral("%1x%2").arg(vorpenWindow.width).arg(vorpenWindow.height)};
    const WindowPixels peerWindow = ProgramRun(watch, peerSetup).settledWindow(empty);
    peerSetup.windowInkWithoutText = peerWindow.ink();
    ProgramRun vorpen(watch, vorpenSetup);
    ProgramRun peer(watch, peerSetup);
    const int runs = parser.value(runsOption).toInt();

    out << "load average at the start: " << loadAverage() << "\n";
    out << "10,000 grains (7.0):\n";
    runCase(grains, vorpen, peer, runs);
    out << "50,000 lines (7.0):\n";
    runCase(lines, vorpen, peer, runs);

    out << QStringLiteral("\nmedians of %1 runs                            vorpen     peer\n")
               .arg(runs);
    out << "10,000 grains:\n";
    const auto vorpenMedian = [](const Case &c, double RunFigures::*figure) {
        return median(c.vorpen, figure);
    };
    const auto peerMedian = [](const Case &c, double RunFigures::*figure) {
        return median(c.peer, figure);
    };
    const double peerText = peerMedian(grains, &RunFigures::textMs);
    ratioGoal(QStringLiteral("start to text painted (ms)"),
              vorpenMedian(grains, &RunFigures::textMs), peerText, 1.5);
    ratioGoal(QStringLiteral("start to verdict / peer's text (ms)"),
              vorpenMedian(grains, &RunFigures::verdictMs), peerText, 3.0);
    ratioGoal(QStringLiteral("peak memory after open (MB)"),
              vorpenMedian(grains, &RunFigures::openPeakMB),
              peerMedian(grains, &RunFigures::openPeakMB), 1.25);
    ratioGoal(QStringLiteral("peak memory after typing (MB)"),
              vorpenMedian(grains, &RunFigures::typedPeakMB),
              peerMedian(grains, &RunFigures::typedPeakMB), 1.6);
    out << "50,000 lines:\n";
    ratioGoal(QStringLiteral("open to verdict / peer's text (ms)"),
              vorpenMedian(lines, &RunFigures::verdictMs), peerMedian(lines, &RunFigures::textMs),
              3.0);
    // A millisecond is the noise of one paint on a shared machine.
    const double peerKey = peerMedian(lines, &RunFigures::keyP95Ms);
    goal(QStringLiteral("key stroke to paint, p95 (ms)"),
         vorpenMedian(lines, &RunFigures::keyP95Ms), peerKey, peerKey + 1.0,
         QStringLiteral("<= peer + 1 ms"));
    out << "load average at the end: " << loadAverage() << "\n";
    out << (missed == 0 ? "every goal met\n" : QStringLiteral("%1 goal(s) missed\n").arg(missed));
    return missed == 0 ? 0 : 1;
}
