#include "app/recovery/journal.h"
#include "app/recovery/linediff.h"
#include "app/recovery/recoveryfolder.h"
#include "tests/support/endedinstance.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

class TestJournal : public QObject
{
    Q_OBJECT
private slots:
    void journalKeepsEverything_data();
    void journalKeepsEverything();
    void damagedJournalIsRefused_data();
    void damagedJournalIsRefused();
    void killDuringWriteKeepsAWholeJournal();
    void folderAndJournalsAreTheOwnersOnly();
    void onlyEndedInstancesLeaveOrphans();
    void differences_data();
    void differences();
};

namespace {

Journal sample(const QString &path, const QString &text)
{
    Journal journal;
    journal.path = path;
    journal.base = fileBaseOf(QByteArray("as loaded\n"), QDateTime::fromMSecsSinceEpoch(1000));
    journal.grammar = QStringLiteral("ZEL_Syntax_6-4.xml");
    journal.written = QDateTime::fromMSecsSinceEpoch(123456789);
    journal.text = text;
    return journal;
}

} // namespace

void TestJournal::journalKeepsEverything_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("text");
    QTest::newRow("named file") << "/data/run 1/a_dri.txt"
                                << "Seed = 3\n# grains\n";
    QTest::newRow("untitled page") << ""
                                   << "typed\n";
    QTest::newRow("blank lines and the header's own marks in the text")
        << "/x=y\n%/b_dri.txt"
        << "\n\npath=/etc\n\ntext-size=0\n";
    QTest::newRow("no final newline, non-ASCII") << "/tmp/c.dri" << QStringLiteral("Grüße µm");
    QTest::newRow("empty text") << "/tmp/d.dri"
                                << "";
}

void TestJournal::journalKeepsEverything()
{
    QFETCH(QString, path);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.journal"));
    const Journal written = sample(path, text);
    QVERIFY(writeJournal(file, written));
    Journal read;
    QVERIFY(readJournal(file, read));
    QCOMPARE(read.path, written.path);
    QCOMPARE(read.text, written.text);
    QCOMPARE(read.grammar, written.grammar);
    QCOMPARE(read.written, written.written);
    QVERIFY(read.base.sameContent(written.base));
    QCOMPARE(read.base.modified, written.base.modified);
}

void TestJournal::damagedJournalIsRefused_data()
{
    QTest::addColumn<int>("cutAt");              // bytes kept, -1: all
    QTest::addColumn<int>("flipAt");             // byte changed from the end, -1: none
    QTest::addColumn<QByteArray>("replacement"); // whole content instead, when not empty
    QTest::newRow("torn in the text") << 120 << -1 << QByteArray();
    QTest::newRow("torn in the header") << 30 << -1 << QByteArray();
    QTest::newRow("a changed byte in the text") << -1 << 3 << QByteArray();
    QTest::newRow("not a journal") << -1 << -1 << QByteArray("Seed = 3\n");
}

void TestJournal::damagedJournalIsRefused()
{
    QFETCH(int, cutAt);
    QFETCH(int, flipAt);
    QFETCH(QByteArray, replacement);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.journal"));
    QVERIFY(writeJournal(file, sample(QStringLiteral("/a_dri.txt"), QString(200, 'x'))));
    QFile raw(file);
    QVERIFY(raw.open(QIODevice::ReadOnly));
    QByteArray bytes = raw.readAll();
    raw.close();
    if (cutAt >= 0)
        bytes.truncate(cutAt);
    if (flipAt >= 0)
        bytes[bytes.size() - flipAt] = 'y';
    if (!replacement.isEmpty())
        bytes = replacement;
    QVERIFY(raw.open(QIODevice::WriteOnly | QIODevice::Truncate));
    raw.write(bytes);
    raw.close();
    Journal read;
    QVERIFY(!readJournal(file, read));
}

void TestJournal::killDuringWriteKeepsAWholeJournal()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.journal"));
    const QString first(3000000, QLatin1Char('a'));
    const QString second(3000000, QLatin1Char('b'));
    QVERIFY(writeJournal(file, sample(QString(), first)));
    for (int round = 0; round < 8; ++round) {
        const pid_t writer = fork();
        if (writer == 0) {
            for (int i = 0;; ++i)
                writeJournal(file, sample(QString(), i % 2 ? first : second));
        }
        usleep(useconds_t(3000 + round * 7000));
        kill(writer, SIGKILL);
        waitpid(writer, nullptr, 0);
        Journal read;
        QVERIFY2(readJournal(file, read), qPrintable(QStringLiteral("round %1").arg(round)));
        QVERIFY(read.text == first || read.text == second);
    }
}

void TestJournal::folderAndJournalsAreTheOwnersOnly()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state/vorpen/recovery"));
    RecoveryFolder folder(path);
    QVERIFY(folder.isUsable());
    QVERIFY(writeJournal(folder.journalFile(1), sample(QString(), QStringLiteral("x"))));
    struct stat status;
    QCOMPARE(stat(QFile::encodeName(path).constData(), &status), 0);
    QCOMPARE(status.st_mode & 0777, 0700u);
    QCOMPARE(stat(QFile::encodeName(folder.journalFile(1)).constData(), &status), 0);
    QCOMPARE(status.st_mode & 0777, 0600u);
}

void TestJournal::onlyEndedInstancesLeaveOrphans()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("recovery"));
    RecoveryFolder live(path);
    QVERIFY(writeJournal(live.journalFile(1), sample(QString(), QStringLiteral("live"))));
    QVERIFY(leaveJournalOfEndedInstance(path, sample(QString(), QStringLiteral("ended"))));

    RecoveryFolder second(path);
    const QStringList orphans = second.orphanedJournals();
    QCOMPARE(orphans.size(), 1);
    Journal read;
    QVERIFY(readJournal(orphans.constFirst(), read));
    QCOMPARE(read.text, QStringLiteral("ended"));
    // While the second instance decides about it, a third is not offered the same journal.
    RecoveryFolder third(path);
    QVERIFY(third.orphanedJournals().isEmpty());
    QVERIFY(live.orphanedJournals().isEmpty());

    // Discarded: the ended instance's lock goes with its last journal.
    QVERIFY(QFile::remove(orphans.constFirst()));
    second.tidy();
    QCOMPARE(QDir(path).entryList({QStringLiteral("*.lock")}, QDir::Files).size(), 3);
}

void TestJournal::differences_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("expected");
    QTest::newRow("equal texts") << "a\nb\n"
                                 << "a\nb\n"
                                 << "";
    QTest::newRow("one changed line with its context")
        << "1\n2\n3\n4\n5\n6\n7\n"
        << "1\n2\n3\nX\n5\n6\n7\n"
        << "@@ line 2 @@\n  2\n  3\n- 4\n+ X\n  5\n  6\n";
    QTest::newRow("an inserted line is not a changed rest")
        << "a\nb\nc\n"
        << "a\nnew\nb\nc\n"
        << "@@ line 1 @@\n  a\n+ new\n  b\n  c\n";
    QTest::newRow("two changes far apart make two headers")
        << "a\n1\n2\n3\n4\n5\n6\nb\n"
        << "A\n1\n2\n3\n4\n5\n6\nB\n"
        << "@@ line 1 @@\n- a\n+ A\n  1\n  2\n@@ line 6 @@\n  5\n  6\n- b\n+ B\n  \n";
}

void TestJournal::differences()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QString, expected);
    QCOMPARE(lineDifferences(before, after), expected);
}

QTEST_GUILESS_MAIN(TestJournal)
#include "test_journal.moc"
