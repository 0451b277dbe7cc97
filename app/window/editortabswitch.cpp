// Following the current tab: enabled states, window title, font size and closing.
#include "app/config/configuration.h"
#include "app/live/livestatus.h"
#include "app/main.h"
#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/text/customtextedit.h"
#include "app/window/editor.h"
#include "run/cluster/clusterjob.h"
#include "run/runconfigurationwidget.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeView>

namespace {

void setPixelSize(QWidget *widget, int size)
{
    QFont font = widget->font();
    font.setPixelSize(size);
    widget->setFont(font);
}

} // namespace

void Editor::slotChangeTab(int akt)
{
    if (akt == -1) {
        currentTab = nullptr;
        for (QAction *action : {reloadAction, saveAction, saveAsAction, closeAction, startAction,
                                killAction, refreshAction})
            action->setEnabled(false);
        for (QPushButton *button : {startButton, pauseButton, killButton})
            button->setEnabled(false);
        phaseDiagramMenu->setEnabled(false);
        anisotropyMenu->setEnabled(false);
        setWindowTitle(appName + QStringLiteral(" ") + appVersion);
        liveStatus->follow(nullptr);
        return;
    }
    if (akt >= 0) {
        auto *page = static_cast<EditorTabs *>(tabWidget->widget(akt));
        if (!page)
            return;
        currentTab = page;
        showTabIdentity(akt);
    }
    if (!currentTab)
        return;
    showRunState();
    if (akt >= 0) {
        // This slot is the tab widget's currentChanged handler; do not run it twice.
        const QSignalBlocker blocker(tabWidget);
        tabWidget->setCurrentIndex(akt);
    }
    const QModelIndex bookmark = currentTab->bookmarkView->currentIndex();
    if (bookmark.isValid())
        currentTab->slotGotoBookmark(bookmark);
    if (currentTab->monitoring)
        slotUpdateOutput();
    currentTab->textEdit->activateWindow();
    updateDiagramMenu();
    liveStatus->follow(currentTab);
}

void Editor::showTabIdentity(int index)
{
    currentTab->layoutRunConfiguration();
    QString toolTip = tr("Untitled");
    if (currentTab->fileInfo) {
        toolTip = currentTab->fileInfo->absoluteFilePath();
        if (const Job *job = jobs.getJob(currentTab->jobId))
            toolTip += QStringLiteral("\n") +
                       (job->cluster ? tr("Slurm job: ") + job->cluster->id
                                     : tr("attached job pid: ") + QString::number(job->pid));
        reloadAction->setEnabled(true);
        updateFileInfo();
        // A reload from disk replaces the file info.
        setWindowTitle(currentTab->fileInfo->fileName() + QStringLiteral(" - ") + appName +
                       QStringLiteral(" ") + appVersion);
    } else {
        reloadAction->setEnabled(false);
    }
    tabWidget->setTabToolTip(index, toolTip);
    for (QAction *action : {saveAction, saveAsAction, closeAction})
        action->setEnabled(true);
    phaseDiagramMenu->setEnabled(false);
    anisotropyMenu->setEnabled(false);
}

void Editor::showRunState()
{
    const bool running = currentTab->monitoring;
    startButton->setEnabled(!running);
    startAction->setEnabled(!running);
    pauseButton->setText(running && currentTab->paused ? tr("Continue") : tr("Pause"));
    // A batch job has processes to stop only once it runs.
    const Job *job = jobs.getJob(currentTab->jobId);
    const SlurmJobState::Phase phase =
        job && job->cluster ? job->cluster->state.phase : SlurmJobState::Running;
    pauseButton->setEnabled(running &&
                            (phase == SlurmJobState::Running || phase == SlurmJobState::Paused));
    killButton->setEnabled(running);
    killAction->setEnabled(running);
    refreshAction->setEnabled(true);
}

int Editor::currentTabIndex() const
{
    return tabWidget->indexOf(currentTab);
}

void Editor::slotFontSizeChanged(int size)
{
    if (!currentTab)
        return;
    setPixelSize(currentTab->textEdit, size);
    setPixelSize(currentTab->bookmarkView, size);
    setPixelSize(currentTab->runConfiguration, size);
    outputFont.setPixelSize(size);
    // The check boxes and the display button inherit the box's font.
    setPixelSize(currentTab->resultBox, size);
    for (int i = 0; i < currentTab->outputTabs->count(); ++i)
        setPixelSize(currentTab->outputTabs->widget(i), size);
    configuration->fontSize = size;
}

// Ctrl++ and Ctrl+- keep the size within the spin box's range.
void Editor::font_size_plus()
{
    const int size = qMin(fontSizeBox->value() + 1, fontSizeBox->maximum());
    slotFontSizeChanged(size);
    fontSizeBox->setValue(size);
}

void Editor::font_size_minus()
{
    const int size = qMax(fontSizeBox->value() - 1, fontSizeBox->minimum());
    slotFontSizeChanged(size);
    fontSizeBox->setValue(size);
}

void Editor::closeEvent(QCloseEvent *event)
{
    configuration->write(true);
    for (int index = tabWidget->count() - 1; index >= 0; --index) {
        if (!slotCloseTab(index)) {
            slotChangeTab(index);
            event->ignore();
            return;
        }
    }
    currentTab = nullptr;
    event->accept();
}
