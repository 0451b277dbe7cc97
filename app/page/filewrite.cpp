#include "app/page/filewrite.h"

#include "app/recovery/recoveryfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace {

// Renaming a new file over the old one would part it from its other names, owner or group.
bool mustWriteInPlace(const QString &path)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return false;
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    return status.st_nlink > 1 || status.st_uid != ::geteuid() || status.st_gid != ::getegid() ||
           ::access(folder.constData(), W_OK) != 0;
}

bool replaceByNewFile(const QString &path, const QByteArray &bytes)
{
    // Unbuffered, so that a short write (as at a file-size limit) shows in the count.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// The new content on disk elsewhere, so that a crash half-way through writing in place does
// not lose both versions.
std::unique_ptr<QTemporaryFile> keepSafely(const QString &path, const QByteArray &bytes)
{
    const QString name = QFileInfo(path).fileName() + QStringLiteral(".vorpen-save-XXXXXX");
    for (const QString &folder :
         {QFileInfo(path).absolutePath(), RecoveryFolder::defaultPath(), QDir::tempPath()}) {
        if (!QDir().mkpath(folder))
            continue;
        auto copy = std::make_unique<QTemporaryFile>(folder + QLatin1Char('/') + name);
        if (copy->open() && copy->write(bytes) == bytes.size() && copy->flush() &&
            ::fsync(copy->handle()) == 0)
            return copy;
    }
    return nullptr;
}

bool writeAt(int fd, const QByteArray &bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(done));
        if (n <= 0)
            return false;
        done += n;
    }
    return ::ftruncate(fd, off_t(bytes.size())) == 0 && ::fsync(fd) == 0;
}

bool writeInPlace(const QString &path, const QByteArray &bytes)
{
    QFile original(path);
    if (!original.open(QIODevice::ReadOnly))
        return false;
    const QByteArray before = original.readAll();
    original.close();
    const auto copy = keepSafely(path, bytes);
    if (!copy)
        return false;
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = writeAt(fd, bytes);
    // The old content fits where it was, so putting it back does not fail as the write did.
    if (!written)
        writeAt(fd, before);
    const bool closed = ::close(fd) == 0;
    return written && closed;
}

} // namespace

bool replaceFileContent(const QString &path, const QByteArray &bytes)
{
    const QFileInfo info(path);
    const QString target = info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
    if (mustWriteInPlace(target))
        return writeInPlace(target, bytes);
    return replaceByNewFile(path, bytes);
}
