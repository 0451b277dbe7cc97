#ifndef VORPEN_SLURMJOBSTATE_H
#define VORPEN_SLURMJOBSTATE_H

#include <QString>

// The state of one batch job as the page shows it.
struct SlurmJobState
{
    enum Phase
    {
        Submitting,
        Waiting,
        Running,
        Paused,
        Ended
    };
    Phase phase = Submitting;
    QString word;      // Slurm's state name (PENDING, RUNNING, TIMEOUT, ...), empty when vanished
    QString reason;    // why it waits
    int exitCode = -1; // of the program, once the job has written it

    // From one line of squeue's "%T|%r" format.
    static SlurmJobState fromQueue(const QString &line);
    // A job the controller no longer knows; exitCode says whether the program ended.
    static SlurmJobState vanished(int exitCode);

    // For the page, e.g. "waiting in queue: Resources" or "failed with exit code 3".
    QString describe() const;
};

#endif
