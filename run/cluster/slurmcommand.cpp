#include "run/cluster/slurmcommand.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTimer>

#include <memory>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SlurmCommand", text);
}

// A command whose owner goes away is killed without answering: QProcess reports the end of a
// process it kills on destruction, when the owner is already half destroyed.
class SlurmProcess : public QProcess
{
public:
    using QProcess::QProcess;
    ~SlurmProcess() override { disconnect(); }
};

} // namespace

void SlurmCommand::run(QObject *owner, const QString &program, const QStringList &arguments,
                       const std::function<void(const SlurmReply &)> &done, int timeoutMs)
{
    auto *process = new SlurmProcess(owner);
    auto *limit = new QTimer(process);
    limit->setSingleShot(true);
    // errorOccurred and finished may both arrive; only the first settles the command.
    auto settled = std::make_shared<bool>(false);
    auto settle = [process, done, settled](const SlurmReply &reply) {
        if (*settled)
            return;
        *settled = true;
        process->disconnect();
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(1000);
        }
        process->deleteLater();
        done(reply);
    };
    QObject::connect(limit, &QTimer::timeout, process, [settle] {
        SlurmReply reply;
        reply.outcome = SlurmReply::NoAnswer;
        reply.message = tr("The Slurm controller does not answer.");
        settle(reply);
    });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [settle](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         SlurmReply reply;
                         reply.outcome = SlurmReply::NotInstalled;
                         reply.message = tr("Slurm's commands are not installed on this computer");
                         settle(reply);
                     });
    QObject::connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
                     process, [process, settle](int exitCode, QProcess::ExitStatus status) {
                         SlurmReply reply;
                         reply.output = QString::fromUtf8(process->readAllStandardOutput());
                         const QString error =
                             QString::fromUtf8(process->readAllStandardError()).trimmed();
                         if (status == QProcess::NormalExit && exitCode == 0) {
                             reply.outcome = SlurmReply::Answered;
                         } else {
                             reply.outcome = SlurmReply::Refused;
                             reply.message = error.isEmpty() ? reply.output.trimmed() : error;
                         }
                         settle(reply);
                     });
    limit->start(timeoutMs);
    process->start(program, arguments, QIODevice::ReadOnly);
}
