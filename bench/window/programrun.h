#ifndef VORPEN_PROGRAMRUN_H
#define VORPEN_PROGRAMRUN_H

#include "bench/window/xpaintwatch.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>

#include <memory>

// What one start of a program on a file showed; -1 where it was not measured or not reached.
struct RunFigures
{
    double textMs = -1;      // start to the first paint that shows the file's text
    double verdictMs = -1;   // start to the first paint of a verdict in the status bar
    double openPeakMB = -1;  // peak memory once the window has settled after opening
    double typedPeakMB = -1; // peak memory after the typing session
    double keyP95Ms = -1;    // key stroke to the next paint of the window, 95th percentile
};

// How one program is started and what of it is measured.
struct ProgramSetup
{
    QString label;
    QString program;
    QStringList arguments;        // the file comes last
    bool hasVerdict = false;      // waits for the status bar's verdict
    int windowInkWithoutText = 0; // the window's ink when it shows an empty file
};

// Starts a program on a file under a fresh home directory, watches its window through the X
// server and stops it again.
class ProgramRun
{
public:
    ProgramRun(XPaintWatch &watch, const ProgramSetup &setup);
    // Opens the file, then types rounds of key strokes with pauses; no typing for 0 rounds.
    RunFigures measure(const QString &file, int typingRounds);
    // The settled window of the program on a file: its ink, to tell its text from its frame,
    // and its size.
    WindowPixels settledWindow(const QString &file);

private:
    qint64 start(const QString &file);
    void stop(qint64 pid);
    QVector<double> typeRounds(int rounds);

    XPaintWatch &watch;
    ProgramSetup setup;
    std::unique_ptr<QTemporaryDir> home;
};

// Peak resident memory of a process so far, in MB; -1 when it is gone.
double peakMegabytes(qint64 pid);

#endif
