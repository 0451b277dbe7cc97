#include "app/config/configuration.h"
#include "app/text/customtextedit.h"
#include "run/checkelement.h"
#include "run/cluster/clustersettingswidget.h"
#include "run/cluster/jobscript.h"
#include "run/runconfigurationwidget.h"
#include "run/runrecord.h"
#include "tests/run/cluster/clusterpages.h"
#include "tests/support/dialoganswer.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>

// Submits, follows, pauses and cancels batch jobs; as root CTest runs it as an ordinary user,
// as cluster users are.
class TestClusterRun : public ClusterPages
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void clusterFieldsOfferPartitionsAndAreRemembered();
    void jobRunsToItsEnd_data();
    void jobRunsToItsEnd();
    void pauseContinueAndCancelReachTheJob();
    void refusedSubmissionLeavesThePageReady_data();
    void refusedSubmissionLeavesThePageReady();
    void secondPageWaitsThenRuns();
    void newEditorProcessFollowsAKeptJob();
};

void TestClusterRun::initTestCase()
{
    setUpEditor();
}

void TestClusterRun::init()
{
    // Pages take the settings that an earlier test left application-wide.
    editor->configuration->cluster = ClusterSettings();
    qputenv("ZELMORA_STANDIN_STEPS", "3");
    qputenv("ZELMORA_STANDIN_DELAY", "50");
}

void TestClusterRun::cleanup()
{
    closeAllPages();
}

void TestClusterRun::cleanupTestCase()
{
    tearDownEditor();
}

void TestClusterRun::clusterFieldsOfferPartitionsAndAreRemembered()
{
    EditorTabs *page = openPage(QStringLiteral("fields"), QStringLiteral("Out/Test"));
    page->configuration.cluster.onCluster = false;
    page->layoutRunConfiguration();
    RunConfigurationWidget *panel = page->runConfiguration;
    QVERIFY(panel->clusterSettings->isHidden());

    panel->whereBox->setCurrentIndex(1);
    QTRY_VERIFY_WITH_TIMEOUT(panel->clusterSettings->partitionBox->findText("debug") >= 0, 20000);
    panel->clusterSettings->tasksBox->setValue(4);
    for (const Configuration *configuration : {&page->configuration, editor->configuration}) {
        QVERIFY(configuration->cluster.onCluster);
        QCOMPARE(configuration->cluster.tasks, 4);
    }
}

void TestClusterRun::jobRunsToItsEnd_data()
{
    QTest::addColumn<bool>("faulty");
    QTest::addColumn<QString>("ending");
    QTest::addColumn<QString>("marker");

    QTest::newRow("valid file completes with its results") << false << "completed"
                                                           << "Wall clock time";
    QTest::newRow("faulty file fails on the refused line") << true << "failed with exit code 1"
                                                           << "nput error";
}

void TestClusterRun::jobRunsToItsEnd()
{
    QFETCH(bool, faulty);
    QFETCH(QString, ending);
    QFETCH(QString, marker);
    EditorTabs *page = openPage(QStringLiteral("end"), QStringLiteral("Out/Test"), faulty);
    editor->slotRun(true);
    QVERIFY(page->jobId >= 0);
    QVERIFY(!editor->startButton->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!slurmId(page).isEmpty(), 20000);
    const QString id = slurmId(page);
    QVERIFY(QFile::exists(runRecordFile(page->screenFile)));

    QVERIFY(waitIdle(page));
    QCOMPARE(page->runStatus->text().section(QLatin1Char('\n'), 0, 0),
             QStringLiteral("Slurm job %1: %2").arg(id, ending));
    const QString screen = readWholeFile(page->screenFile);
    QVERIFY2(screen.contains(marker), qPrintable(screen));
    QVERIFY(editor->startButton->isEnabled());
    QVERIFY(!editor->killButton->isEnabled());
    QVERIFY(editor->jobs.jobs.isEmpty());
    QVERIFY(!QFile::exists(runRecordFile(page->screenFile)));
    QVERIFY(readWholeFile(JobScript::pathFor(page->resultDir, page->simName))
                .contains(QLatin1String("#SBATCH --output=")));
    if (faulty) {
        QCOMPARE(page->textEdit->textCursor().selectedText().trimmed(), QStringLiteral("twenty"));
    } else {
        bool logListed = false;
        for (const CheckElement *element : qAsConst(page->checkElements))
            logListed = logListed || element->label == QLatin1String("log");
        QVERIFY(logListed);
    }
}

void TestClusterRun::pauseContinueAndCancelReachTheJob()
{
    qputenv("ZELMORA_STANDIN_STEPS", "300");
    qputenv("ZELMORA_STANDIN_DELAY", "100");
    EditorTabs *page = openPage(QStringLiteral("pause"), QStringLiteral("Out/Test"));
    editor->slotRun(true);
    QTRY_VERIFY_WITH_TIMEOUT(page->runStatus->text().endsWith(QLatin1String(": running")), 20000);
    const QString id = slurmId(page);
    QTRY_VERIFY_WITH_TIMEOUT(readWholeFile(page->screenFile).contains(QLatin1String("Step ")),
                             20000);

    editor->slotSuspend();
    QCOMPARE(editor->pauseButton->text(), QStringLiteral("Continue"));
    QTRY_COMPARE_WITH_TIMEOUT(queueState(id), QStringLiteral("STOPPED"), 20000);
    const qint64 size = QFileInfo(page->screenFile).size();
    QTest::qWait(1000);
    QCOMPARE(QFileInfo(page->screenFile).size(), size);
    QTRY_VERIFY(page->runStatus->text().endsWith(QLatin1String(": paused")));

    editor->slotSuspend();
    QCOMPARE(editor->pauseButton->text(), QStringLiteral("Pause"));
    QTRY_COMPARE_WITH_TIMEOUT(queueState(id), QStringLiteral("RUNNING"), 20000);
    QTRY_VERIFY(QFileInfo(page->screenFile).size() > size);

    editor->slotKill();
    QVERIFY(waitIdle(page));
    QCOMPARE(queueState(id), QStringLiteral("CANCELLED"));
    QVERIFY(page->runStatus->text().startsWith(QStringLiteral("Slurm job %1: cancelled").arg(id)));
    QVERIFY(editor->startAction->isEnabled());
    QVERIFY(!editor->pauseButton->isEnabled());
}

void TestClusterRun::refusedSubmissionLeavesThePageReady_data()
{
    QTest::addColumn<QString>("partition");
    QTest::addColumn<QString>("timeLimit");
    QTest::addColumn<QString>("slurmSays");

    QTest::newRow("unknown partition") << "nowhere"
                                       << ""
                                       << "invalid partition";
    QTest::newRow("time limit Slurm cannot read") << ""
                                                  << "soon"
                                                  << "Invalid --time";
}

void TestClusterRun::refusedSubmissionLeavesThePageReady()
{
    QFETCH(QString, partition);
    QFETCH(QString, timeLimit);
    QFETCH(QString, slurmSays);
    EditorTabs *page = openPage(QStringLiteral("refused"), QStringLiteral("Out/Test"));
    page->configuration.cluster.partition = partition;
    page->configuration.cluster.timeLimit = timeLimit;
    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    editor->slotRun(true);
    QTRY_VERIFY_WITH_TIMEOUT(seen.shown, 20000);
    QCOMPARE(seen.title, QStringLiteral("Slurm refused the job"));
    QVERIFY2(seen.text.contains(slurmSays, Qt::CaseInsensitive), qPrintable(seen.text));
    QCOMPARE(page->jobId, -1);
    QVERIFY(!page->monitoring);
    QVERIFY(editor->startButton->isEnabled());
    QVERIFY(editor->jobs.jobs.isEmpty());
    QVERIFY(QFile::exists(page->fileInfo->absoluteFilePath()));
}

void TestClusterRun::secondPageWaitsThenRuns()
{
    qputenv("ZELMORA_STANDIN_STEPS", "15");
    qputenv("ZELMORA_STANDIN_DELAY", "200");
    EditorTabs *first = openPage(QStringLiteral("first"), QStringLiteral("Out/A"));
    first->configuration.cluster.extraOptions = QStringLiteral("--exclusive");
    editor->slotRun(true);
    QTRY_VERIFY_WITH_TIMEOUT(first->runStatus->text().endsWith(QLatin1String(": running")), 20000);

    qputenv("ZELMORA_STANDIN_DELAY", "50");
    EditorTabs *second = openPage(QStringLiteral("second"), QStringLiteral("Out/B"));
    editor->slotRun(true);
    QTRY_VERIFY_WITH_TIMEOUT(
        second->runStatus->text().endsWith(QLatin1String(": waiting in queue: Resources")), 20000);
    QVERIFY(first->monitoring);
    QVERIFY2(!editor->pauseButton->isEnabled(), "a waiting job has no process to stop");

    QVERIFY(waitIdle(first));
    QVERIFY(waitIdle(second));
    QVERIFY(first->runStatus->text().contains(QLatin1String("completed")));
    QVERIFY(second->runStatus->text().contains(QLatin1String("completed")));
    QVERIFY(readWholeFile(second->screenFile).contains(QLatin1String("Wall clock time")));
}

void TestClusterRun::newEditorProcessFollowsAKeptJob()
{
    qputenv("ZELMORA_STANDIN_STEPS", "20");
    qputenv("ZELMORA_STANDIN_DELAY", "200");
    EditorTabs *page = openPage(QStringLiteral("kept"), QStringLiteral("Out/Test"));
    const QString path = page->fileInfo->absoluteFilePath();
    editor->slotRun(true);
    QTRY_VERIFY_WITH_TIMEOUT(page->runStatus->text().endsWith(QLatin1String(": running")), 20000);
    const QString id = slurmId(page);

    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("Run detached simulation in background"));
    QVERIFY(editor->slotCloseTab(editor->tabWidget->indexOf(page)));
    QVERIFY(seen.text.contains(QStringLiteral("Slurm job: %1").arg(id)));
    QCOMPARE(queueState(id), QStringLiteral("RUNNING"));

    QProcess follower;
    follower.setProcessChannelMode(QProcess::MergedChannels);
    follower.start(QStringLiteral(VORPEN_BINARY_DIR "/tests/run/cluster/clusterfollow"),
                   {dir.filePath(QStringLiteral("rc2")), path});
    QVERIFY(follower.waitForFinished(90000));
    const QString said = QString::fromUtf8(follower.readAll());
    QVERIFY2(follower.exitCode() == 0, qPrintable(said));
    QVERIFY2(said.contains(QStringLiteral("followed: Slurm job %1: running").arg(id)),
             qPrintable(said));
    QVERIFY2(said.contains(QStringLiteral("ended: Slurm job %1: completed").arg(id)),
             qPrintable(said));
    QVERIFY2(said.contains(QLatin1String("Wall clock time")), qPrintable(said));
}

QTEST_MAIN(TestClusterRun)
#include "test_clusterrun.moc"
