#include "run/cluster/slurmjobstate.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SlurmJobState", text);
}

SlurmJobState::Phase phaseOf(const QString &word)
{
    if (word == QLatin1String("PENDING") || word == QLatin1String("REQUEUED") ||
        word == QLatin1String("REQUEUE_HOLD") || word == QLatin1String("RESV_DEL_HOLD"))
        return SlurmJobState::Waiting;
    if (word == QLatin1String("SUSPENDED") || word == QLatin1String("STOPPED"))
        return SlurmJobState::Paused;
    if (word == QLatin1String("RUNNING") || word == QLatin1String("CONFIGURING") ||
        word == QLatin1String("COMPLETING") || word == QLatin1String("RESIZING") ||
        word == QLatin1String("SIGNALING") || word == QLatin1String("STAGE_OUT"))
        return SlurmJobState::Running;
    return SlurmJobState::Ended;
}

} // namespace

SlurmJobState SlurmJobState::fromQueue(const QString &line)
{
    SlurmJobState state;
    const QStringList fields = line.trimmed().split(QLatin1Char('|'));
    state.word = fields.value(0);
    state.reason = fields.value(1);
    state.phase = phaseOf(state.word);
    return state;
}

SlurmJobState SlurmJobState::vanished(int exitCode)
{
    SlurmJobState state;
    state.phase = Ended;
    state.exitCode = exitCode;
    return state;
}

QString SlurmJobState::describe() const
{
    switch (phase) {
    case Submitting:
        return tr("submitting");
    case Waiting:
        return reason.isEmpty() || reason == QLatin1String("None")
                   ? tr("waiting in queue")
                   : tr("waiting in queue: %1").arg(reason);
    case Running:
        return tr("running");
    case Paused:
        return tr("paused");
    case Ended:
        break;
    }
    if (word == QLatin1String("CANCELLED"))
        return tr("cancelled");
    if (word == QLatin1String("TIMEOUT") || word == QLatin1String("DEADLINE"))
        return tr("out of time");
    if (word == QLatin1String("NODE_FAIL") || word == QLatin1String("BOOT_FAIL"))
        return tr("node failure");
    if (word == QLatin1String("OUT_OF_MEMORY"))
        return tr("out of memory");
    if (word == QLatin1String("PREEMPTED"))
        return tr("preempted");
    if (exitCode == 0)
        return tr("completed");
    if (exitCode > 0)
        return tr("failed with exit code %1").arg(exitCode);
    if (word == QLatin1String("COMPLETED"))
        return tr("completed");
    if (word.isEmpty())
        return tr("vanished from the queue");
    return tr("failed");
}
