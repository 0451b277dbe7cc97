#ifndef VORPEN_JOBSCRIPT_H
#define VORPEN_JOBSCRIPT_H

#include "run/cluster/clustersettings.h"

#include <QString>
#include <QStringList>

// The batch script of a cluster run: readable, reusable by hand, and running the program on the
// driving file as a run on this computer does.
struct JobScript
{
    QString simName; // also the job's name
    QString resultDir;
    QString executable;
    QStringList arguments; // the driving file's absolute path first
    QString workDir;
    QString screenFile; // receives the program's output, as on this computer
    ClusterSettings settings;

    // Where the script of simulation simName in resultDir is kept.
    static QString pathFor(const QString &resultDir, const QString &simName);
    // Where the job writes the program's exit code once it has ended.
    static QString exitPathFor(const QString &resultDir, const QString &simName);

    QString text() const;
};

#endif
