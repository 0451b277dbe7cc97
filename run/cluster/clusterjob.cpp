#include "run/cluster/clusterjob.h"

#include "run/cluster/slurmcommand.h"

#include <QFile>

namespace {

// Clusters ask their users not to query the queue often; tests and impatient users may set
// VORPEN_SLURM_POLL_MS.
int pollInterval()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("VORPEN_SLURM_POLL_MS", &ok);
    return ok && ms > 0 ? ms : 5000;
}

const int graceMs = 30000;

} // namespace

ClusterJob::ClusterJob(QObject *parent) : QObject(parent)
{
    pollTimer.setSingleShot(true);
    connect(&pollTimer, &QTimer::timeout, this, &ClusterJob::poll);
    graceTimer.setSingleShot(true);
    connect(&graceTimer, &QTimer::timeout, this, &ClusterJob::cancel);
}

void ClusterJob::submit(const QString &script, const QString &workDir)
{
    state = SlurmJobState();
    SlurmCommand::run(this, QStringLiteral("sbatch"),
                      {QStringLiteral("--parsable"), QStringLiteral("--chdir=") + workDir, script},
                      [this](const SlurmReply &reply) {
                          // "--parsable" answers "id" or "id;cluster".
                          const QString answer =
                              reply.output.trimmed().section(QLatin1Char(';'), 0, 0);
                          if (reply.outcome != SlurmReply::Answered || answer.isEmpty()) {
                              emit refused(reply.message);
                              return;
                          }
                          id = answer;
                          emit submitted();
                          if (cancelOnSubmission)
                              cancel();
                      });
}

void ClusterJob::follow(const QString &jobId, const QString &exitPath)
{
    id = jobId;
    exitFile = exitPath;
    poll();
}

void ClusterJob::poll()
{
    SlurmCommand::run(this, QStringLiteral("squeue"),
                      {QStringLiteral("--noheader"), QStringLiteral("--states=all"),
                       QStringLiteral("--jobs=") + id, QStringLiteral("--format=%T|%r")},
                      [this](const SlurmReply &reply) {
                          if (reply.outcome == SlurmReply::Answered ||
                              reply.message.contains(QLatin1String("Invalid job id"))) {
                              takeQueueReply(reply.output);
                              return;
                          }
                          notice = reply.message;
                          emit stateChanged();
                          pollTimer.start(pollInterval());
                      });
}

void ClusterJob::takeQueueReply(const QString &output)
{
    // Replies of two polls in flight may both tell of the end.
    if (state.phase == SlurmJobState::Ended)
        return;
    notice.clear();
    const QString line = output.trimmed().section(QLatin1Char('\n'), 0, 0);
    if (line.isEmpty()) {
        endWith(SlurmJobState::vanished(readExitCode()));
        return;
    }
    SlurmJobState now = SlurmJobState::fromQueue(line);
    if (now.phase == SlurmJobState::Ended) {
        now.exitCode = readExitCode();
        endWith(now);
        return;
    }
    state = now;
    emit stateChanged();
    pollTimer.start(pollInterval());
}

void ClusterJob::endWith(const SlurmJobState &final)
{
    pollTimer.stop();
    graceTimer.stop();
    state = final;
    emit ended();
}

int ClusterJob::readExitCode() const
{
    QFile file(exitFile);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    bool ok = false;
    const int code = QString::fromUtf8(file.readAll()).trimmed().toInt(&ok);
    return ok ? code : -1;
}

void ClusterJob::setPaused(bool paused)
{
    if (id.isEmpty())
        return;
    const QString signal = paused ? QStringLiteral("STOP") : QStringLiteral("CONT");
    // "--full" reaches the batch script and every step, so the program stops wherever it runs.
    SlurmCommand::run(this, QStringLiteral("scancel"),
                      {QStringLiteral("--full"), QStringLiteral("--signal=") + signal, id},
                      [this](const SlurmReply &reply) {
                          if (reply.outcome != SlurmReply::Answered)
                              emit commandFailed(reply.message);
                          poll();
                      });
}

void ClusterJob::cancel()
{
    if (id.isEmpty()) {
        cancelOnSubmission = true;
        return;
    }
    SlurmCommand::run(this, QStringLiteral("scancel"), {id}, [this](const SlurmReply &reply) {
        if (reply.outcome != SlurmReply::Answered)
            emit commandFailed(reply.message);
        poll();
    });
}

void ClusterJob::expectEnd()
{
    if (!graceTimer.isActive())
        graceTimer.start(graceMs);
    pollTimer.start(qMin(pollInterval(), 1000));
}
