#ifndef VORPEN_JOB_H
#define VORPEN_JOB_H

#include <QList>
#include <QString>

class ClusterJob;
class QProcess;

// One started simulation: a process on this computer or a batch job on a cluster; owns either.
class Job
{
public:
    Job(const QString &screenFile, const QString &drivingFile, QProcess *process);
    ~Job();
    Job(const Job &) = delete;
    Job &operator=(const Job &) = delete;

    QString screenFile;
    QString drivingFile;
    QProcess *process; // null for a batch job
    ClusterJob *cluster = nullptr;
    int pid = -1;
    int id = -1;
};

// The started simulations in insertion order, keyed by ids that restart at 0 once empty.
class JobList
{
public:
    JobList() = default;
    ~JobList();
    JobList(const JobList &) = delete;
    JobList &operator=(const JobList &) = delete;

    // Takes ownership of job and returns its new id.
    int addJob(Job *job);
    // Null when no job has this id.
    Job *getJob(int id) const;
    // Destroys the job and its process; does nothing when absent.
    void removeJob(int id);
    void show() const {}

    QList<Job *> jobs;
    int lastId = -1;
};

#endif
