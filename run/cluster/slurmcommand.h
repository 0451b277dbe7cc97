#ifndef VORPEN_SLURMCOMMAND_H
#define VORPEN_SLURMCOMMAND_H

#include <QString>
#include <QStringList>

#include <functional>

class QObject;

// What one Slurm command answered.
struct SlurmReply
{
    enum Outcome
    {
        Answered,     // exit status 0; output holds standard output
        NotInstalled, // the command could not be started
        NoAnswer,     // it did not end within its time limit
        Refused       // it ended with an error; message holds Slurm's own words
    };
    Outcome outcome = NoAnswer;
    QString output;
    QString message; // for the user; empty when answered
};

// Runs Slurm's commands without ever blocking the caller.
namespace SlurmCommand {

// Runs program (sbatch, squeue, scancel, sinfo) with arguments and hands its reply to done,
// always exactly once unless owner is destroyed first; the process belongs to owner meanwhile.
// A command that has not ended after timeoutMs is killed.
void run(QObject *owner, const QString &program, const QStringList &arguments,
         const std::function<void(const SlurmReply &)> &done, int timeoutMs = 20000);

} // namespace SlurmCommand

#endif
