#include "app/page/textfile.h"

#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Saving writes a file back as it was stored and keeps the file itself: its other names, its
// owner, its place in a folder the editor may not write.
class TestTextSave : public QObject
{
    Q_OBJECT
private slots:
    void editedTextKeepsTheStoredForm_data();
    void editedTextKeepsTheStoredForm();
    void saveKeepsTheFile_data();
    void saveKeepsTheFile();
};

namespace {

const uid_t nobody = 65534;

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void store(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray utf16(const QString &text, bool littleEndian)
{
    QByteArray bytes;
    for (const QChar c : text) {
        const char low = char(c.unicode() & 0xff);
        const char high = char(c.unicode() >> 8);
        bytes += littleEndian ? QByteArray(1, low) + high : QByteArray(1, high) + low;
    }
    return bytes;
}

struct stat statusOf(const QString &path)
{
    struct stat status = {};
    lstat(QFile::encodeName(path).constData(), &status);
    return status;
}

// Runs the save as an ordinary user where the test runs as root, for whom every folder is
// writable.
bool saveAsUser(uid_t user, const std::function<bool()> &save)
{
    if (geteuid() != 0)
        return save();
    const pid_t child = fork();
    if (child == 0)
        _exit(setgid(user) == 0 && setuid(user) == 0 && save() ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

void TestTextSave::editedTextKeepsTheStoredForm_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("expected"); // after appending "x" to the second line
    QTest::newRow("CRLF line ends") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\nbx\r\n");
    QTest::newRow("UTF-8 byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                         "a\nb\n")
                                           << QByteArray("\xEF\xBB\xBF"
                                                         "a\nbx\n");
    QTest::newRow("UTF-16 little endian")
        << QByteArray("\xFF\xFE") + utf16(QStringLiteral("a\r\nb\r\n"), true)
        << QByteArray("\xFF\xFE") + utf16(QStringLiteral("a\r\nbx\r\n"), true);
    QTest::newRow("UTF-16 big endian")
        << QByteArray("\xFE\xFF") + utf16(QStringLiteral("a\nb\n"), false)
        << QByteArray("\xFE\xFF") + utf16(QStringLiteral("a\nbx\n"), false);
    QTest::newRow("no final newline") << QByteArray("a\nb") << QByteArray("a\nbx");
    QTest::newRow("plain UTF-8 stays without a mark")
        << QByteArray("a\nb\xC3\xA4\n") << QByteArray("a\nb\xC3\xA4x\n");
}

void TestTextSave::editedTextKeepsTheStoredForm()
{
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a_dri.txt"));
    store(path, stored);
    QString text;
    TextFormat format;
    QVERIFY(readTextFile(path, text, nullptr, &format));
    // As the editor shows it: lines end in LF, no mark.
    QTextDocument document;
    document.setPlainText(text);
    QTextCursor cursor(document.findBlockByNumber(1));
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(QStringLiteral("x"));
    QVERIFY(writeTextFile(path, document.toPlainText(), format));
    QCOMPARE(contentOf(path), expected);
}

void TestTextSave::saveKeepsTheFile_data()
{
    QTest::addColumn<QString>("situation");
    QTest::newRow("second hard link sees the new text") << "hard link";
    QTest::newRow("another user's file keeps its owner") << "owner";
    QTest::newRow("writable file in a read-only folder") << "read-only folder";
    QTest::newRow("symbolic link stays a link") << "symlink";
}

void TestTextSave::saveKeepsTheFile()
{
    QFETCH(QString, situation);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("f"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/a_dri.txt");
    const QString other = dir.filePath(QStringLiteral("other_dri.txt"));
    store(path, "old\n");
    uid_t saver = geteuid();
    if (situation == QLatin1String("hard link")) {
        QCOMPARE(link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()),
                 0);
    } else if (situation == QLatin1String("owner")) {
        if (geteuid() != 0)
            QSKIP("only root can give a file to another user");
        QCOMPARE(chown(QFile::encodeName(path).constData(), nobody, nobody), 0);
    } else if (situation == QLatin1String("read-only folder")) {
        saver = nobody;
        if (geteuid() == 0) {
            QCOMPARE(chown(QFile::encodeName(dir.path()).constData(), nobody, nobody), 0);
            QCOMPARE(chown(QFile::encodeName(folder).constData(), nobody, nobody), 0);
            QCOMPARE(chown(QFile::encodeName(path).constData(), nobody, nobody), 0);
        }
        QCOMPARE(chmod(QFile::encodeName(folder).constData(), 0555), 0);
        // Where the new text is kept while the file is written in place.
        qputenv("XDG_STATE_HOME", dir.filePath(QStringLiteral("state")).toLocal8Bit());
    } else {
        QVERIFY(QFile::rename(path, other));
        QVERIFY(QFile::link(other, path));
    }
    const struct stat before = statusOf(path);

    const bool saved =
        saveAsUser(saver, [&path] { return writeTextFile(path, QStringLiteral("new\n")); });
    chmod(QFile::encodeName(folder).constData(), 0755);

    QVERIFY(saved);
    QCOMPARE(contentOf(path), QByteArray("new\n"));
    const struct stat after = statusOf(path);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    if (QFileInfo::exists(other))
        QCOMPARE(contentOf(other), QByteArray("new\n"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

QTEST_MAIN(TestTextSave)
#include "test_textsave.moc"
