#include "run/job.h"

#include "run/cluster/clusterjob.h"

#include <QProcess>

Job::Job(const QString &screenFile, const QString &drivingFile, QProcess *process)
    : screenFile(screenFile), drivingFile(drivingFile), process(process)
{
}

Job::~Job()
{
    // Jobs are removed from inside the process's own finished() handler.
    if (process)
        process->deleteLater();
    if (cluster)
        cluster->deleteLater();
}

JobList::~JobList()
{
    qDeleteAll(jobs);
}

int JobList::addJob(Job *job)
{
    job->id = jobs.isEmpty() ? 0 : lastId + 1;
    lastId = job->id;
    jobs.append(job);
    return job->id;
}

Job *JobList::getJob(int id) const
{
    for (Job *job : jobs) {
        if (job->id == id)
            return job;
    }
    return nullptr;
}

void JobList::removeJob(int id)
{
    Job *job = getJob(id);
    if (!job)
        return;
    jobs.removeOne(job);
    delete job;
}
