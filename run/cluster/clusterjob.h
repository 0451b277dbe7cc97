#ifndef VORPEN_CLUSTERJOB_H
#define VORPEN_CLUSTERJOB_H

#include "run/cluster/slurmjobstate.h"

#include <QObject>
#include <QString>
#include <QTimer>

// One batch job of a page: submits it, follows its state at a modest rate, pauses, resumes and
// cancels it. Every Slurm command runs asynchronously; nothing here waits.
class ClusterJob : public QObject
{
    Q_OBJECT
public:
    explicit ClusterJob(QObject *parent = nullptr);

    // Submits script from workDir; ends in submitted() or refused().
    void submit(const QString &script, const QString &workDir);
    // Follows a submitted job; exitFile is where its script writes the program's exit code.
    void follow(const QString &id, const QString &exitFile);
    // Stops or continues every process of the job with a signal, which its owner may send
    // without operator rights.
    void setPaused(bool paused);
    void cancel();
    // The program has printed its last line: the job should end soon, and is cancelled if it
    // has not after a grace period.
    void expectEnd();

    QString id;
    SlurmJobState state;
    QString notice; // why the state may be out of date, empty while Slurm answers

signals:
    void submitted();
    void refused(const QString &message);
    void stateChanged();
    void ended();
    // A pause, continue or cancel that Slurm did not carry out.
    void commandFailed(const QString &message);

private:
    void poll();
    void takeQueueReply(const QString &output);
    void endWith(const SlurmJobState &final);
    int readExitCode() const;

    QString exitFile;
    bool cancelOnSubmission = false;
    QTimer pollTimer;
    QTimer graceTimer;
};

#endif
