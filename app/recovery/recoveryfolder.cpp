#include "app/recovery/recoveryfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString journalSuffix = QStringLiteral(".journal");
const QString lockSuffix = QStringLiteral(".lock");

// Opened close-on-exec, so that a simulation started from the editor does not keep the lock
// of an editor that has died.
int lockedFile(const QString &path, bool create)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0600);
    if (fd < 0)
        return -1;
    struct stat locked;
    struct stat named;
    // Another instance may have removed the file between the open and the lock.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &locked) != 0 ||
        ::stat(name.constData(), &named) != 0 || locked.st_ino != named.st_ino) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// "<pid>-<random>-<serial>.journal" belongs to the instance "<pid>-<random>".
QString instanceOfJournal(const QString &name)
{
    const QString stem = name.left(name.size() - journalSuffix.size());
    return stem.left(stem.lastIndexOf(QLatin1Char('-')));
}

} // namespace

RecoveryFolder::RecoveryFolder(const QString &path) : folder(path)
{
    if (!QDir().mkpath(folder) ||
        !QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return;
    // A pid alone could come back after a reboot; the random part keeps names apart.
    instance = QStringLiteral("%1-%2")
                   .arg(QCoreApplication::applicationPid())
                   .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    ownLock = lockedFile(lockFile(instance), true);
    removeEndedLocks();
}

RecoveryFolder::~RecoveryFolder()
{
    tidy();
    for (const int fd : qAsConst(claimed)) {
        if (fd >= 0)
            ::close(fd);
    }
    if (ownLock >= 0) {
        if (journalsOf(instance).isEmpty())
            QFile::remove(lockFile(instance));
        ::close(ownLock);
    }
}

void RecoveryFolder::removeEndedLocks()
{
    const QStringList locks =
        QDir(folder).entryList({QStringLiteral("*") + lockSuffix}, QDir::Files);
    for (const QString &lock : locks) {
        const QString name = lock.left(lock.size() - lockSuffix.size());
        if (name == instance || !journalsOf(name).isEmpty())
            continue;
        const int fd = lockedFile(lockFile(name), false);
        if (fd >= 0) {
            QFile::remove(lockFile(name));
            ::close(fd);
        }
    }
}

QString RecoveryFolder::defaultPath()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/vorpen/recovery");
}

QString RecoveryFolder::journalFile(int serial) const
{
    return folder + QLatin1Char('/') + instance + QLatin1Char('-') + QString::number(serial) +
           journalSuffix;
}

QString RecoveryFolder::lockFile(const QString &name) const
{
    return folder + QLatin1Char('/') + name + lockSuffix;
}

QStringList RecoveryFolder::journalsOf(const QString &name) const
{
    const QStringList files =
        QDir(folder).entryList({name + QStringLiteral("-*") + journalSuffix}, QDir::Files);
    QStringList own;
    for (const QString &file : files) {
        if (instanceOfJournal(file) == name)
            own << folder + QLatin1Char('/') + file;
    }
    return own;
}

bool RecoveryFolder::claim(const QString &name)
{
    if (claimed.contains(name))
        return true;
    const QString lock = lockFile(name);
    // An instance writes its lock before its first journal, so a journal without one is left
    // over for good.
    if (!QFileInfo::exists(lock)) {
        claimed.insert(name, -1);
        return true;
    }
    const int fd = lockedFile(lock, false);
    if (fd < 0)
        return false;
    claimed.insert(name, fd);
    return true;
}

QStringList RecoveryFolder::orphanedJournals()
{
    if (!isUsable())
        return {};
    QFileInfoList found = QDir(folder).entryInfoList({QStringLiteral("*") + journalSuffix},
                                                     QDir::Files, QDir::Time | QDir::Reversed);
    QStringList orphans;
    for (const QFileInfo &file : qAsConst(found)) {
        const QString name = instanceOfJournal(file.fileName());
        if (name != instance && claim(name))
            orphans << file.absoluteFilePath();
    }
    return orphans;
}

void RecoveryFolder::tidy()
{
    for (auto it = claimed.begin(); it != claimed.end();) {
        // Journals that an ended instance was writing when it ended are torn.
        const QStringList parts = QDir(folder).entryList(
            {it.key() + QStringLiteral("-*") + journalSuffix + QStringLiteral(".part")},
            QDir::Files);
        for (const QString &part : parts)
            QFile::remove(folder + QLatin1Char('/') + part);
        if (!journalsOf(it.key()).isEmpty()) {
            ++it;
            continue;
        }
        if (it.value() >= 0) {
            QFile::remove(lockFile(it.key()));
            ::close(it.value());
        }
        it = claimed.erase(it);
    }
}
