#include "bench/window/programrun.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <X11/keysym.h>

#include <algorithm>

#include <signal.h>

namespace {

const int openTimeoutMs = 60000;
// Long enough after the last paint of an open or of a typing session for the analyses it
// started to end; the caret blinks meanwhile, so the window is never quite still.
const int settleMs = 3000;
// Ten lines of text at the least, far more than a caret or a focus frame.
const int textInkMargin = 3000;
const int statusBarHeight = 20;
const int sizeGripWidth = 20;
const int keyPaceMs = 120;
const int pauseMs = 1000;
const int keyTimeoutMs = 500;

// A digit, a new line and a comment at the end of a line, each undone again.
const unsigned long round[] = {XK_1,          XK_BackSpace, XK_Return,    XK_BackSpace,
                               XK_numbersign, XK_a,         XK_BackSpace, XK_BackSpace};

double percentile95(QVector<double> samples)
{
    if (samples.isEmpty())
        return -1;
    std::sort(samples.begin(), samples.end());
    return samples.at(qMin(samples.size() - 1, int(samples.size() * 0.95)));
}

} // namespace

double peakMegabytes(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

ProgramRun::ProgramRun(XPaintWatch &watch, const ProgramSetup &setup) : watch(watch), setup(setup)
{
}

// A fresh home directory for every start keeps the user's settings and recent files out of the
// measurement, and what an earlier start left behind, such as the journal of its unsaved text.
qint64 ProgramRun::start(const QString &file)
{
    home = std::make_unique<QTemporaryDir>();
    watch.forgetWindows();
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home->path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(environment);
    process.setProgram(setup.program);
    process.setArguments(QStringList(setup.arguments) << file);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    qint64 pid = 0;
    return process.startDetached(&pid) ? pid : -1;
}

void ProgramRun::stop(qint64 pid)
{
    if (pid <= 0)
        return;
    // Started detached, the program is no child of ours: it is gone when it takes no signal.
    ::kill(pid_t(pid), SIGTERM);
    for (int waited = 0; waited < 3000; waited += 20) {
        if (::kill(pid_t(pid), 0) != 0)
            return;
        watch.idle(20);
    }
    ::kill(pid_t(pid), SIGKILL);
    while (::kill(pid_t(pid), 0) == 0)
        watch.idle(20);
}

WindowPixels ProgramRun::settledWindow(const QString &file)
{
    const qint64 pid = start(file);
    watch.waitForAnyPaint(openTimeoutMs);
    watch.idle(settleMs);
    const WindowPixels pixels = watch.mainWindowPixels();
    stop(pid);
    return pixels;
}

RunFigures ProgramRun::measure(const QString &file, int typingRounds)
{
    RunFigures figures;
    const double started = XPaintWatch::nowMs();
    const qint64 pid = start(file);
    const int textInk = setup.windowInkWithoutText + textInkMargin;
    const double text = watch.waitForPaint(
        [textInk](const WindowPixels &pixels) { return pixels.ink() >= textInk; }, openTimeoutMs);
    if (text >= 0)
        figures.textMs = text - started;
    if (text >= 0 && setup.hasVerdict) {
        const double verdict = watch.waitForPaint(
            [](const WindowPixels &pixels) {
                const QRect statusBar(0, pixels.height - statusBarHeight,
                                      pixels.width - sizeGripWidth, statusBarHeight);
                return pixels.inkIn(statusBar) > 0;
            },
            openTimeoutMs);
        if (verdict >= 0)
            figures.verdictMs = verdict - started;
    }
    watch.idle(settleMs);
    figures.openPeakMB = peakMegabytes(pid);
    if (typingRounds > 0 && text >= 0) {
        figures.keyP95Ms = percentile95(typeRounds(typingRounds));
        watch.idle(settleMs);
        figures.typedPeakMB = peakMegabytes(pid);
    }
    stop(pid);
    return figures;
}

// Types at a typist's pace into a line in the middle of the window, pausing after each round
// long enough for the live analysis to run; every key stroke is timed to the next paint.
QVector<double> ProgramRun::typeRounds(int rounds)
{
    QVector<double> latencies;
    watch.clickAt(0.6, 0.5);
    watch.tapKey(XK_End);
    watch.idle(200);
    for (int r = 0; r < rounds; ++r) {
        for (const unsigned long key : round) {
            const double sent = XPaintWatch::nowMs();
            watch.tapKey(key);
            const double painted = watch.waitForAnyPaint(keyTimeoutMs);
            latencies << (painted < 0 ? keyTimeoutMs : painted - sent);
            watch.idle(keyPaceMs);
        }
        watch.idle(pauseMs);
    }
    return latencies;
}
