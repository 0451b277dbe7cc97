#ifndef VORPEN_RECOVERYFOLDER_H
#define VORPEN_RECOVERYFOLDER_H

#include <QHash>
#include <QString>
#include <QStringList>

// The folder of recovery journals. Each running instance holds a lock on a file of its own,
// which the system releases when the process ends however it ends; journals whose instance
// holds no lock any more are orphans, to be offered for recovery.
class RecoveryFolder
{
public:
    // Creates the folder (for its owner only) and takes this instance's lock.
    explicit RecoveryFolder(const QString &path = defaultPath());
    // Gives up every lock; the lock files of instances left without journals go.
    ~RecoveryFolder();
    RecoveryFolder(const RecoveryFolder &) = delete;
    RecoveryFolder &operator=(const RecoveryFolder &) = delete;

    // "vorpen/recovery" in the user's state folder (XDG_STATE_HOME, else ~/.local/state).
    static QString defaultPath();

    // False when the folder cannot be made or locked: nothing is journaled then.
    bool isUsable() const { return ownLock >= 0; }
    QString path() const { return folder; }
    // This instance's journal of the page numbered serial.
    QString journalFile(int serial) const;
    // Journals of instances that have ended, oldest first. Their instances' locks pass to this
    // one, so that no other instance offers the same journals meanwhile.
    QStringList orphanedJournals();
    // Lets go of the ended instances whose journals are all gone.
    void tidy();

private:
    QString lockFile(const QString &instance) const;
    bool claim(const QString &instance);
    QStringList journalsOf(const QString &instance) const;
    // Instances end without tidying up when they are killed, or leave after a conversion.
    void removeEndedLocks();

    QString folder;
    QString instance;
    int ownLock = -1;
    QHash<QString, int> claimed; // ended instance -> lock held on its behalf (-1: had none)
};

#endif
