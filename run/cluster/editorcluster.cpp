// Runs as batch jobs of a Slurm cluster, followed in the page like a process on this computer.
#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/window/editor.h"
#include "run/cluster/clusterjob.h"
#include "run/cluster/jobscript.h"
#include "run/runrecord.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTimer>

namespace {

const int firstPollMs = 1000;

// Files of one cluster run, fixed when it starts: the page's result name may change meanwhile.
struct ClusterRunFiles
{
    QString record;
    QString exitFile;

    explicit ClusterRunFiles(const EditorTabs *page)
        : record(runRecordFile(page->screenFile)),
          exitFile(JobScript::exitPathFor(page->resultDir, page->simName))
    {
    }
};

EditorTabs *pageOfJob(const Editor *editor, int key)
{
    for (int i = 0; i < editor->tabWidget->count(); ++i) {
        auto *page = qobject_cast<EditorTabs *>(editor->tabWidget->widget(i));
        if (page && page->jobId == key)
            return page;
    }
    return nullptr;
}

void showStatus(EditorTabs *page, const QString &text)
{
    page->runStatus->setText(text);
    page->runStatus->setVisible(!text.isEmpty());
}

QString jobStateText(const ClusterJob *cluster)
{
    QString text = Editor::tr("Slurm job %1: %2").arg(cluster->id, cluster->state.describe());
    if (!cluster->notice.isEmpty())
        text += QLatin1Char('\n') +
                Editor::tr("Slurm does not answer (%1); trying again.").arg(cluster->notice);
    return text;
}

void followOutput(Editor *editor, EditorTabs *page)
{
    page->outputShown = true;
    page->outputPanel->show();
    if (page->refreshTimer)
        page->refreshTimer->deleteLater();
    page->refreshTimer = new QTimer(editor);
    QObject::connect(page->refreshTimer, &QTimer::timeout, editor, &Editor::slotUpdateOutput);
    page->refreshTimer->start(firstPollMs);
}

void showJobToolTip(Editor *editor, EditorTabs *page, const Job *job)
{
    editor->tabWidget->setTabToolTip(editor->tabWidget->indexOf(page),
                                     job->drivingFile + QLatin1Char('\n') +
                                         Editor::tr("Slurm job: ") + job->cluster->id);
}

bool writeScript(const JobScript &script, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    file.write(script.text().toUtf8());
    if (!file.commit())
        return false;
    return QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner |
                                           QFileDevice::ExeGroup | QFileDevice::ExeOther);
}

void writeRecord(EditorTabs *page, const Job *job, const ClusterRunFiles &files)
{
    RunRecord record;
    record.drivingFile = job->drivingFile;
    record.started = QDateTime::currentDateTime();
    record.slurmJobId = job->cluster->id;
    if (!writeRunRecord(files.record, record))
        showStatus(page,
                   page->runStatus->text() + QLatin1Char('\n') +
                       Editor::tr("The job's record could not be written: %1").arg(files.record));
}

void takeSubmission(Editor *editor, int key, const ClusterRunFiles &files)
{
    Job *job = editor->jobs.getJob(key);
    EditorTabs *page = pageOfJob(editor, key);
    if (!job || !page)
        return;
    showStatus(page, jobStateText(job->cluster));
    writeRecord(page, job, files);
    showJobToolTip(editor, page, job);
    followOutput(editor, page);
    job->cluster->follow(job->cluster->id, files.exitFile);
}

void takeRefusal(Editor *editor, int key, const QString &message)
{
    EditorTabs *page = pageOfJob(editor, key);
    editor->jobs.removeJob(key);
    if (!page)
        return;
    page->jobId = -1;
    page->monitoring = false;
    page->autoSelectScreen = false;
    showStatus(page, Editor::tr("Slurm job not submitted: %1").arg(message));
    if (page == editor->currentTab)
        editor->showRunState();
    QMessageBox::warning(editor, Editor::tr("Slurm refused the job"),
                         Editor::tr("Slurm did not accept the job:\n\n") + message,
                         QMessageBox::Ok);
}

void takeState(Editor *editor, int key)
{
    const Job *job = editor->jobs.getJob(key);
    EditorTabs *page = pageOfJob(editor, key);
    if (!job || !page)
        return;
    showStatus(page, jobStateText(job->cluster));
    const SlurmJobState::Phase phase = job->cluster->state.phase;
    if (phase == SlurmJobState::Running || phase == SlurmJobState::Paused)
        page->paused = phase == SlurmJobState::Paused;
    if (page == editor->currentTab)
        editor->showRunState();
}

void takeEnd(Editor *editor, int key)
{
    const Job *job = editor->jobs.getJob(key);
    if (!job)
        return;
    EditorTabs *page = pageOfJob(editor, key);
    if (!page) {
        editor->jobs.removeJob(key);
        return;
    }
    QString text = jobStateText(job->cluster);
    const QString screenFile = job->screenFile;
    if (QFileInfo(screenFile).size() == 0)
        text += QLatin1Char('\n') + Editor::tr("No screen output appeared in %1.").arg(screenFile);
    editor->finishRun(page, screenFile);
    showStatus(page, text);
}

// Registers a batch job for the page; its signals find the page again by the job's key, since
// the page may be closed while Slurm is asked.
Job *attachClusterJob(Editor *editor, EditorTabs *page, const QString &drivingFile)
{
    auto *job = new Job(page->screenFile, drivingFile, nullptr);
    job->cluster = new ClusterJob;
    const int key = editor->jobs.addJob(job);
    page->jobId = key;
    page->paused = false;
    const ClusterRunFiles files(page);
    ClusterJob *cluster = job->cluster;
    QObject::connect(cluster, &ClusterJob::submitted, editor,
                     [editor, key, files] { takeSubmission(editor, key, files); });
    QObject::connect(cluster, &ClusterJob::refused, editor,
                     [editor, key](const QString &message) { takeRefusal(editor, key, message); });
    QObject::connect(cluster, &ClusterJob::stateChanged, editor,
                     [editor, key] { takeState(editor, key); });
    QObject::connect(
        cluster, &ClusterJob::commandFailed, editor, [editor, key](const QString &message) {
            if (EditorTabs *page = pageOfJob(editor, key))
                showStatus(page, page->runStatus->text() + QLatin1Char('\n') + message);
        });
    QObject::connect(cluster, &ClusterJob::ended, editor, [editor, key] { takeEnd(editor, key); });
    return job;
}

} // namespace

bool Editor::startClusterRun(EditorTabs *tab, const QStringList &arguments)
{
    JobScript script;
    script.simName = tab->simName;
    script.resultDir = tab->resultDir;
    script.executable = configuration->simulationExecutable;
    script.arguments = arguments;
    script.workDir = tab->fileInfo->absolutePath();
    script.screenFile = tab->screenFile;
    script.settings = tab->configuration.cluster;
    const QString scriptPath = JobScript::pathFor(tab->resultDir, tab->simName);
    // While the job waits, the page must not show the output of an earlier run.
    QFile screen(tab->screenFile);
    if (!writeScript(script, scriptPath) ||
        !screen.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    screen.close();
    QFile::remove(JobScript::exitPathFor(tab->resultDir, tab->simName));

    Job *job = attachClusterJob(this, tab, arguments.value(0));
    showStatus(tab, tr("Slurm job: submitting %1").arg(scriptPath));
    if (tab == currentTab)
        showRunState();
    job->cluster->submit(scriptPath, script.workDir);
    return true;
}

void Editor::resumeClusterRun(EditorTabs *tab)
{
    if (tab->jobId >= 0 || tab->screenFile.isEmpty() || !tab->fileInfo)
        return;
    RunRecord record;
    // Another machine may see the same files under another path; the result folder decides.
    if (!readRunRecord(runRecordFile(tab->screenFile), record) || record.slurmJobId.isEmpty() ||
        QFileInfo(record.drivingFile).fileName() != tab->fileInfo->fileName())
        return;
    tab->monitoring = true;
    tab->autoSelectScreen = true;
    tab->lastText.clear();
    tab->lastSize = 0;
    Job *job = attachClusterJob(this, tab, tab->fileInfo->absoluteFilePath());
    job->cluster->id = record.slurmJobId;
    showStatus(tab, tr("Slurm job %1").arg(record.slurmJobId));
    showJobToolTip(this, tab, job);
    followOutput(this, tab);
    if (tab == currentTab)
        showRunState();
    job->cluster->follow(record.slurmJobId, ClusterRunFiles(tab).exitFile);
}

void Editor::runReachedEnd(EditorTabs *tab)
{
    Job *job = jobs.getJob(tab->jobId);
    if (!job || !job->cluster) {
        killProcess(tab);
        return;
    }
    // The whole output is read once more when the job has ended.
    if (tab->refreshTimer)
        tab->refreshTimer->stop();
    job->cluster->expectEnd();
}
