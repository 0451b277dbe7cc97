#include "run/job.h"

#include <QPointer>
#include <QProcess>
#include <QtTest>

class TestJobList : public QObject
{
    Q_OBJECT

private slots:
    void idsCountUpAndRestartAtZero();
    void removingAJobDisposesOfItsProcess();
    void absentIdsAreHarmless();
};

void TestJobList::idsCountUpAndRestartAtZero()
{
    JobList jobs;
    auto *first = new Job(QStringLiteral("a.scr"), QStringLiteral("/a_dri.txt"), new QProcess);
    auto *second = new Job(QStringLiteral("b.scr"), QStringLiteral("/b_dri.txt"), new QProcess);
    QCOMPARE(jobs.addJob(first), 0);
    QCOMPARE(jobs.addJob(second), 1);
    QCOMPARE(first->id, 0);
    QCOMPARE(jobs.getJob(1), second);

    jobs.removeJob(0);
    auto *third = new Job(QStringLiteral("c.scr"), QStringLiteral("/c_dri.txt"), new QProcess);
    QCOMPARE(jobs.addJob(third), 2);
    QCOMPARE(third->pid, -1);

    jobs.removeJob(1);
    jobs.removeJob(2);
    QVERIFY(jobs.jobs.isEmpty());
    auto *fourth = new Job(QStringLiteral("d.scr"), QStringLiteral("/d_dri.txt"), new QProcess);
    QCOMPARE(jobs.addJob(fourth), 0);
}

void TestJobList::removingAJobDisposesOfItsProcess()
{
    JobList jobs;
    QPointer<QProcess> process = new QProcess;
    jobs.addJob(new Job(QStringLiteral("a.scr"), QStringLiteral("/a_dri.txt"), process));
    jobs.removeJob(0);
    QVERIFY(jobs.getJob(0) == nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(process.isNull());
}

void TestJobList::absentIdsAreHarmless()
{
    JobList jobs;
    QVERIFY(jobs.getJob(0) == nullptr);
    jobs.removeJob(3);
    QCOMPARE(jobs.addJob(new Job(QString(), QString(), new QProcess)), 0);
    jobs.removeJob(-1);
    QCOMPARE(jobs.jobs.size(), 1);
}

QTEST_GUILESS_MAIN(TestJobList)
#include "test_joblist.moc"
