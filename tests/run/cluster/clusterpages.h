#ifndef VORPEN_TESTS_CLUSTERPAGES_H
#define VORPEN_TESTS_CLUSTERPAGES_H

#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/window/editor.h"
#include "run/cluster/clusterjob.h"
#include "tests/support/examplerun.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Pages of an editor that run the stand-in simulation program as batch jobs of the private
// Slurm cluster that the test fixture starts.
class ClusterPages : public QObject
{
protected:
    // Fails the test unless a cluster answers; makes the editor.
    void setUpEditor()
    {
        Q_INIT_RESOURCE(MyRes);
        QVERIFY(dir.isValid());
        QProcess sinfo;
        sinfo.start(QStringLiteral("sinfo"),
                    {QStringLiteral("-h"), QStringLiteral("-o"), QStringLiteral("%t")});
        const bool answered = sinfo.waitForFinished(20000) && sinfo.exitCode() == 0;
        QVERIFY2(answered && qEnvironmentVariableIsSet("SLURM_CONF"),
                 "No Slurm cluster answers: the CTest fixture slurm_cluster starts a private one "
                 "with tools/slurm-cluster.sh as root (tools/test.sh does so under sudo).");
        qputenv("VORPEN_SLURM_POLL_MS", "300");
        for (const char *knob :
             {"ZELMORA_STANDIN_HANG", "ZELMORA_STANDIN_KEY", "ZELMORA_STANDIN_FAIL"})
            qunsetenv(knob);
        editor = new Editor(dir.filePath(QStringLiteral("rc")));
    }

    EditorTabs *openPage(const QString &folder, const QString &resultName, bool faulty = false)
    {
        const QString path = writeExampleRun(dir.filePath(folder), resultName, faulty);
        editor->loadFile(path, false);
        editor->slotChangeTab(editor->tabWidget->count() - 1);
        EditorTabs *page = editor->currentTab;
        page->configuration.simulationExecutable =
            QStringLiteral(VORPEN_BINARY_DIR "/standins/ZELMORA_TQ");
        page->configuration.cluster.onCluster = true;
        return page;
    }

    // Waits until the page's job has ended and been tidied up.
    static bool waitIdle(EditorTabs *page, int timeoutMs = 60000)
    {
        QElapsedTimer clock;
        clock.start();
        while ((page->monitoring || page->jobId >= 0) && clock.elapsed() < timeoutMs)
            QTest::qWait(50);
        return !page->monitoring && page->jobId < 0;
    }

    QString slurmId(EditorTabs *page) const
    {
        const Job *job = editor->jobs.getJob(page->jobId);
        return job && job->cluster ? job->cluster->id : QString();
    }

    // Slurm's own word for the job's state, asked without the editor.
    static QString queueState(const QString &id)
    {
        QProcess squeue;
        squeue.start(QStringLiteral("squeue"),
                     {QStringLiteral("-h"), QStringLiteral("-t"), QStringLiteral("all"),
                      QStringLiteral("-j"), id, QStringLiteral("-o"), QStringLiteral("%T")});
        squeue.waitForFinished(20000);
        return QString::fromUtf8(squeue.readAllStandardOutput()).trimmed();
    }

    // Closes the pages and disposes of the editor and of what it left for later.
    void tearDownEditor()
    {
        closeAllPages();
        delete editor;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void closeAllPages()
    {
        while (editor->tabWidget->count() > 0) {
            auto *page = static_cast<EditorTabs *>(editor->tabWidget->widget(0));
            if (page->jobId >= 0) {
                editor->killProcess(page);
                waitIdle(page);
            }
            page->docState = 1;
            editor->slotCloseTab(0);
        }
    }

    QTemporaryDir dir;
    Editor *editor = nullptr;
};

#endif
