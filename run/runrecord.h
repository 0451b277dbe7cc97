#ifndef VORPEN_RUNRECORD_H
#define VORPEN_RUNRECORD_H

#include <QDateTime>
#include <QString>

// What a started simulation leaves beside its results, so that an editor started later knows
// that it still runs, even when the editor that started it has died.
struct RunRecord
{
    QString drivingFile;
    qint64 pid = -1;
    // When the process started, in clock ticks after boot: a pid used again by another
    // process does not pass for the simulation.
    qint64 processStart = -1;
    QDateTime started;
    // The id of a batch job on a cluster, which runs elsewhere: pid is -1 then.
    QString slurmJobId;
};

// The record of the run whose screen file this is, hidden beside it.
QString runRecordFile(const QString &screenFile);
bool writeRunRecord(const QString &file, const RunRecord &record);
bool readRunRecord(const QString &file, RunRecord &record);
// The start of the process pid in clock ticks after boot; -1 when there is no such process.
qint64 processStartOf(qint64 pid);
// True when the record's process is alive and is the one that was started.
bool isStillRunning(const RunRecord &record);
// The live run of the screen file, if a record says there is one.
bool liveRunOf(const QString &screenFile, RunRecord &record);

#endif
