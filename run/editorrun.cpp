#include "app/config/configuration.h"
#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/text/customtextedit.h"
#include "app/window/editor.h"
#include "run/checkelement.h"
#include "run/cluster/clusterjob.h"
#include "run/customoutputtextedit.h"
#include "run/runrecord.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <QToolBar>

#include <signal.h>

namespace {

const int processWaitMs = 30000;
const int firstPollMs = 1000;

void abandonRun(EditorTabs *tab)
{
    tab->monitoring = false;
    tab->autoSelectScreen = false;
}

void warnWritePermission(QWidget *parent, const QString &resultDir)
{
    QMessageBox::warning(parent, Editor::tr("Write permissions"),
                         Editor::tr("No write permissions for result directory:\n\n") + resultDir +
                             Editor::tr("\n\nPlease change the result directory."),
                         QMessageBox::Ok);
}

// A simulation that outlived the editor which started it still writes these results.
bool confirmSecondRun(Editor *editor, const RunRecord &running)
{
    QMessageBox box(
        QMessageBox::Warning, Editor::tr("Simulation still running"),
        Editor::tr("A simulation of\n%1\nstarted %2 (process %3) is still running "
                   "and writing these result files.\nStarting another one writes "
                   "into the same files while it runs.")
            .arg(running.drivingFile, QLocale().toString(running.started, QLocale::ShortFormat))
            .arg(running.pid),
        QMessageBox::NoButton, editor);
    QPushButton *start = box.addButton(Editor::tr("Start anyway"), QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    return box.clickedButton() == start;
}

// Prepares the result directory and the screen file; false when the run must not start.
bool prepareResults(Editor *editor, EditorTabs *tab, bool overwrite)
{
    // Starting would empty the very file the simulation is to read.
    if (QFileInfo(tab->screenFile).canonicalFilePath() == tab->fileInfo->canonicalFilePath()) {
        QMessageBox::warning(editor, Editor::tr("Driving file overwrite"),
                             Editor::tr("The screen file of this simulation is its driving "
                                        "file:\n\n") +
                                 tab->screenFile +
                                 Editor::tr("\n\nPlease change the simulation name."),
                             QMessageBox::Ok);
        return false;
    }
    RunRecord running;
    if (liveRunOf(tab->screenFile, running)) {
        if (!confirmSecondRun(editor, running))
            return false;
        overwrite = true;
    }
    if (QDir(tab->resultDir).exists()) {
        const bool formerResults = QFile::exists(tab->screenFile) || !tab->checkElements.isEmpty();
        if (!overwrite && formerResults &&
            QMessageBox::question(editor, Editor::tr("Result file overwrite"),
                                  Editor::tr("Results from a former simulation with the same "
                                             "name exist.\nDo you want to overwrite?"),
                                  QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return false;
    } else if (!QDir().mkpath(tab->resultDir)) {
        warnWritePermission(editor, tab->resultDir);
        return false;
    }
    // Proves the screen file writable without truncating it; the process start truncates it.
    QFile screen(tab->screenFile);
    if (!screen.open(QIODevice::ReadWrite)) {
        warnWritePermission(editor, tab->resultDir);
        return false;
    }
    screen.close();
    return true;
}

// A program that could not be executed never sends finished(), so its job is tidied up here.
void refuseStart(Editor *editor, EditorTabs *tab, const QString &reason)
{
    editor->jobs.removeJob(tab->jobId);
    tab->jobId = -1;
    editor->killProcess(tab);
    abandonRun(tab);
    QMessageBox::warning(editor, Editor::tr("No executable ZELMORA Binary"),
                         Editor::tr("The ZELMORA binary could not be started:\n\n") + reason,
                         QMessageBox::Ok);
}

void resetOutputPages(EditorTabs *tab)
{
    for (int i = 0; i < tab->outputTabs->count(); ++i) {
        if (auto *page = qobject_cast<CustomOutputTextEdit *>(tab->outputTabs->widget(i)))
            page->reset();
    }
}

} // namespace

void Editor::slotRun(bool overwrite, bool syntaxOnly)
{
    EditorTabs *tab = currentTab;
    if (!tab || tab->monitoring || !updateFileInfo())
        return;
    if (!(tab->fileInfo && tab->docState <= 1) && !slotSave())
        return;

    const QString exe = tab->configuration.simulationExecutable;
    if (!QFileInfo(exe).isFile()) {
        QMessageBox::warning(
            this, tr("Missing ZELMORA"),
            tr("The ZELMORA binary does not exist.\n Please check the configuration."),
            QMessageBox::Ok);
        return;
    }
    configuration->simulationExecutable = exe;
    if (!configuration->recentExecutables.contains(exe))
        configuration->recentExecutables.append(exe);
    if (!QFileInfo(exe).isExecutable()) {
        QMessageBox::warning(this, tr("No executable ZELMORA Binary"),
                             tr("The ZELMORA binary is not executable.\n\n") +
                                 tr("Please check the configuration and \n") +
                                 tr("make sure that it is a ZELMORA binary, not a script."),
                             QMessageBox::Ok);
        return;
    }

    tab->monitoring = true;
    tab->autoSelectScreen = true;
    tab->lastText.clear();
    const QString drivingFile = tab->fileInfo->absoluteFilePath();
    QStringList arguments = {drivingFile, QStringLiteral("-noswitch")};
    if (syntaxOnly)
        arguments << QStringLiteral("-syntax");
    tab->syntaxOnly = syntaxOnly;

    tab->setupOutputLocation();
    if (tab->simName.isEmpty()) {
        QMessageBox::warning(this, tr("Empty Simulation Name"),
                             tr("Please specify a simulation name in the driving file.\n\n"),
                             QMessageBox::Ok);
        abandonRun(tab);
        return;
    }
    if (!prepareResults(this, tab, overwrite)) {
        abandonRun(tab);
        return;
    }

    tab->lastRead = QDateTime::currentDateTime();
    tab->lastSize = 0;
    for (CheckElement *element : qAsConst(tab->checkElements))
        element->readSize = 0;
    resetOutputPages(tab);
    if (tab->configuration.cluster.onCluster) {
        if (!startClusterRun(tab, arguments)) {
            warnWritePermission(this, tab->resultDir);
            abandonRun(tab);
        }
        return;
    }

    auto *process = new QProcess;
    auto *job = new Job(tab->screenFile, drivingFile, process);
    tab->jobId = jobs.addJob(job);
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &Editor::slotFinished);
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardOutputFile(tab->screenFile, QIODevice::Truncate);
    process->start(configuration->simulationExecutable, arguments, QIODevice::ReadWrite);

    pauseButton->setText(tr("Pause"));
    tab->paused = false;
    pauseButton->setEnabled(true);
    killButton->setEnabled(true);
    killAction->setEnabled(true);
    startButton->setEnabled(false);
    startAction->setEnabled(false);

    if (!process->waitForStarted(processWaitMs) && process->state() == QProcess::NotRunning) {
        refuseStart(this, tab, process->errorString());
        return;
    }
    job->pid = static_cast<int>(process->processId());
    RunRecord record;
    record.drivingFile = drivingFile;
    record.pid = job->pid;
    record.processStart = processStartOf(job->pid);
    record.started = QDateTime::currentDateTime();
    writeRunRecord(runRecordFile(tab->screenFile), record);
    tabWidget->setTabToolTip(tabWidget->indexOf(tab), drivingFile + QLatin1Char('\n') +
                                                          tr("attached job pid: ") +
                                                          QString::number(job->pid));

    tab->outputShown = true;
    if (tab->refreshTimer)
        tab->refreshTimer->deleteLater();
    tab->refreshTimer = new QTimer(this);
    connect(tab->refreshTimer, &QTimer::timeout, this, &Editor::slotUpdateOutput);
    tab->refreshTimer->start(firstPollMs);
}

void Editor::slotSuspend()
{
    if (!currentTab)
        return;
    Job *job = jobs.getJob(currentTab->jobId);
    if (job && job->cluster && currentTab->monitoring) {
        currentTab->paused = !currentTab->paused;
        job->cluster->setPaused(currentTab->paused);
        pauseButton->setText(currentTab->paused ? tr("Continue") : tr("Pause"));
        return;
    }
    // A pid of 0 or -1 would signal the editor's own process group or every process.
    if (!job || !currentTab->monitoring || job->pid <= 0)
        return;
    if (currentTab->paused) {
        ::kill(job->pid, SIGCONT);
        currentTab->paused = false;
        pauseButton->setText(tr("Pause"));
    } else {
        ::kill(job->pid, SIGSTOP);
        currentTab->paused = true;
        pauseButton->setText(tr("Continue"));
    }
}

void Editor::slotKill()
{
    if (currentTab)
        killProcess(currentTab);
}

void Editor::killProcess(EditorTabs *tab)
{
    Job *job = jobs.getJob(tab->jobId);
    if (job && job->cluster) {
        // The page follows the job until Slurm reports it cancelled.
        job->cluster->cancel();
        return;
    }
    if (tab->refreshTimer)
        disconnect(tab->refreshTimer, &QTimer::timeout, this, &Editor::slotUpdateOutput);
    if (tab->jobId >= 0) {
        if (job) {
            // slotFinished runs during the wait and removes the job.
            QProcess *process = job->process;
            process->kill();
            process->waitForFinished(processWaitMs);
        }
    }
    tab->monitoring = false;
    if (tab == currentTab) {
        pauseButton->setText(tr("Pause"));
        pauseButton->setEnabled(false);
        killButton->setEnabled(false);
        killAction->setEnabled(false);
        startButton->setEnabled(true);
        startAction->setEnabled(true);
    }
}

void Editor::detachProcess(EditorTabs *tab)
{
    Job *job = jobs.getJob(tab->jobId);
    if (!job)
        return;
    // Nobody would be left to let a suspended simulation continue.
    if (job->cluster) {
        if (tab->paused)
            QProcess::startDetached(
                QStringLiteral("scancel"),
                {QStringLiteral("--full"), QStringLiteral("--signal=CONT"), job->cluster->id});
        // A kept batch job stays in its record beside the results, where the next session
        // finds it.
        jobs.removeJob(tab->jobId);
    } else {
        if (job->pid > 0)
            ::kill(job->pid, SIGCONT);
        disconnect(job->process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
                   this, &Editor::slotFinished);
    }
    tab->paused = false;
    if (tab->refreshTimer) {
        disconnect(tab->refreshTimer, &QTimer::timeout, this, &Editor::slotUpdateOutput);
        tab->refreshTimer->stop();
        tab->refreshTimer->deleteLater();
        tab->refreshTimer = nullptr;
    }
    tab->jobId = -1;
    tab->monitoring = false;
    startButton->setEnabled(false);
    killButton->setEnabled(false);
    pauseButton->setText(tr("Pause"));
    pauseButton->setEnabled(false);
    startAction->setEnabled(false);
    killAction->setEnabled(false);
}

namespace {

EditorTabs *pageOfProcess(Editor *editor, const QObject *process)
{
    for (int i = 0; i < editor->tabWidget->count(); ++i) {
        auto *page = qobject_cast<EditorTabs *>(editor->tabWidget->widget(i));
        if (!page || page->jobId < 0)
            continue;
        const Job *job = editor->jobs.getJob(page->jobId);
        if (job && job->process == process)
            return page;
    }
    return nullptr;
}

// Puts the editor's cursor on the first parameter that the run refused, if it refused one.
void gotoRefusedParameter(Editor *editor, EditorTabs *page, const QString &screenFile)
{
    QFile file(screenFile);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QString screen = QTextStream(&file).readAll();
    const int count = editor->getValidParameterCount(&screen);
    if (count == -1)
        return;
    QString text = page->textEdit->toPlainText();
    QTextCursor cursor = page->textEdit->textCursor();
    cursor.setPosition(editor->getPositionOfParameter(&text, count + 1));
    cursor.select(QTextCursor::LineUnderCursor);
    // The output panel may have appeared just now: the editor must shrink before it scrolls.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    page->textEdit->setTextCursor(cursor);
    page->textEdit->ensureCursorVisible();
    page->textEdit->setFocus();
}

} // namespace

void Editor::slotFinished(int exitCode, QProcess::ExitStatus)
{
    if (exitCode < 0)
        return;
    // The process id is already gone once finished() arrives, so the process object is matched.
    EditorTabs *page = pageOfProcess(this, sender());
    if (!page)
        return;
    Job *job = jobs.getJob(page->jobId);
    if (job)
        disconnect(job->process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
                   this, &Editor::slotFinished);
    finishRun(page, job ? job->screenFile : page->screenFile);
}

void Editor::finishRun(EditorTabs *page, QString screenFile)
{
    if (page->refreshTimer)
        page->refreshTimer->stop();
    page->monitoring = true;
    page->autoSelectScreen = true;
    page->lastRead = QDateTime();

    EditorTabs *previous = currentTab;
    currentTab = page;
    slotUpdateOutput();
    currentTab = previous;

    page->monitoring = false;
    if (page->refreshTimer) {
        disconnect(page->refreshTimer, &QTimer::timeout, this, &Editor::slotUpdateOutput);
        page->refreshTimer->stop();
    }
    jobs.removeJob(page->jobId);
    page->jobId = -1;
    QFile::remove(runRecordFile(screenFile));

    if (page == currentTab) {
        slotChangeTab(-2);
        gotoRefusedParameter(this, page, screenFile);
        // Disabled run buttons hand the focus on along the toolbar, where a key would act.
        const QWidget *focused = QApplication::focusWidget();
        if (!focused || toolBar->isAncestorOf(focused))
            page->textEdit->setFocus();
    } else if (currentTab) {
        // The final update reset the run controls although another page is on screen.
        showRunState();
    }
    page->autoSelectScreen = false;
    if (page->fileInfo)
        tabWidget->setTabToolTip(tabWidget->indexOf(page), page->fileInfo->absoluteFilePath());
}
