#include "tests/run/cluster/clusterpages.h"

// Takes the cluster's controller away while a page follows a job, as root can.
class TestClusterOutage : public ClusterPages
{
    Q_OBJECT

private:
    static bool controller(const QString &action)
    {
        return QProcess::execute(QStringLiteral(VORPEN_SOURCE_DIR "/tools/slurm-cluster.sh"),
                                 {action, qEnvironmentVariable("VORPEN_SLURM_DIR")}) == 0;
    }

private slots:
    void initTestCase() { setUpEditor(); }
    void cleanupTestCase() { tearDownEditor(); }
    void silentControllerIsReportedAndFollowingResumes();
};

void TestClusterOutage::silentControllerIsReportedAndFollowingResumes()
{
    qputenv("ZELMORA_STANDIN_STEPS", "150");
    qputenv("ZELMORA_STANDIN_DELAY", "200");
    EditorTabs *page = openPage(QStringLiteral("outage"), QStringLiteral("Out/Test"));
    editor->slotRun(true);
    QTRY_VERIFY_WITH_TIMEOUT(page->runStatus->text().endsWith(QLatin1String(": running")), 20000);

    QVERIFY(controller(QStringLiteral("stop-controller")));
    QTRY_VERIFY_WITH_TIMEOUT(
        page->runStatus->text().contains(QLatin1String("Slurm does not answer")), 30000);
    // Nothing is given up meanwhile: the page still follows the job and its output.
    QVERIFY(page->monitoring && page->jobId >= 0);
    QVERIFY(controller(QStringLiteral("start-controller")));
    QTRY_VERIFY_WITH_TIMEOUT(
        !page->runStatus->text().contains(QLatin1String("Slurm does not answer")), 30000);

    QVERIFY(waitIdle(page, 90000));
    QVERIFY2(page->runStatus->text().contains(QLatin1String("completed")),
             qPrintable(page->runStatus->text()));
    QVERIFY(readWholeFile(page->screenFile).contains(QLatin1String("Wall clock time")));
}

QTEST_MAIN(TestClusterOutage)
#include "test_clusteroutage.moc"
