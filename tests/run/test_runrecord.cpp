#include "run/runrecord.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestRunRecord : public QObject
{
    Q_OBJECT
private slots:
    void liveness_data();
    void liveness();
    void batchJobIsReadButNotTakenForALocalRun();
};

void TestRunRecord::liveness_data()
{
    QTest::addColumn<QString>("process");
    QTest::addColumn<bool>("running");
    QTest::newRow("a live process") << "live" << true;
    QTest::newRow("its pid taken by another process") << "reused" << false;
    QTest::newRow("an ended process") << "ended" << false;
}

void TestRunRecord::liveness()
{
    QFETCH(QString, process);
    QFETCH(bool, running);
    QTemporaryDir dir;
    RunRecord record;
    record.drivingFile = dir.filePath(QStringLiteral("a b_dri.txt"));
    record.started = QDateTime::currentDateTime();
    record.pid = QCoreApplication::applicationPid();
    record.processStart = processStartOf(record.pid);
    if (process == QLatin1String("reused")) {
        record.processStart += 1;
    } else if (process == QLatin1String("ended")) {
        QProcess child;
        child.start(QStringLiteral("true"), QStringList());
        QVERIFY(child.waitForStarted());
        record.pid = child.processId();
        record.processStart = processStartOf(record.pid);
        QVERIFY(child.waitForFinished());
    }
    const QString screen = dir.filePath(QStringLiteral("Test.scr"));
    QVERIFY(writeRunRecord(runRecordFile(screen), record));
    RunRecord read;
    QCOMPARE(liveRunOf(screen, read), running);
    QVERIFY(readRunRecord(runRecordFile(screen), read));
    QCOMPARE(read.drivingFile, record.drivingFile);
    QCOMPARE(read.pid, record.pid);
}

void TestRunRecord::batchJobIsReadButNotTakenForALocalRun()
{
    QTemporaryDir dir;
    RunRecord record;
    record.drivingFile = dir.filePath(QStringLiteral("a_dri.txt"));
    record.slurmJobId = QStringLiteral("4711");
    const QString screen = dir.filePath(QStringLiteral("Test.scr"));
    QVERIFY(writeRunRecord(runRecordFile(screen), record));
    RunRecord read;
    QVERIFY(readRunRecord(runRecordFile(screen), read));
    QCOMPARE(read.slurmJobId, record.slurmJobId);
    QVERIFY(!liveRunOf(screen, read));
}

QTEST_GUILESS_MAIN(TestRunRecord)
#include "test_runrecord.moc"
