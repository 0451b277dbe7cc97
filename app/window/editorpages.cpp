// Creating, marking and closing document pages.
#include "app/window/editor.h"

#include "app/config/configuration.h"
#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/recovery/journalkeeper.h"
#include "app/text/customtextedit.h"
#include "run/cluster/clusterjob.h"
#include "run/job.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>

EditorTabs *Editor::getNewTab()
{
    auto *page = new EditorTabs(*configuration);
    connect(page->textEdit, &QTextEdit::textChanged, this, &Editor::slotTextChanged);
    connect(page->textEdit, &QTextEdit::cursorPositionChanged, this,
            &Editor::slotChangeCursorPosition);
    connect(page->textEdit, &QWidget::customContextMenuRequested, this,
            &Editor::editorContextMenue);
    tabWidget->addTab(page, tr("Untitled"));
    page->tabIndex = tabWidget->count() - 1;
    journalKeeper->watch(page);
    return page;
}

void Editor::slotNewTab()
{
    EditorTabs *page = getNewTab();
    currentTab = page;
    page->docState = -1;
    tabWidget->setCurrentWidget(page);
    // The first page is added before the tab widget reports changes of page to us.
    page->layoutRunConfiguration();
    slotFontSizeChanged(configuration->fontSize);
    tabWidget->setTabToolTip(tabWidget->indexOf(page), tr("Untitled"));
}

void Editor::slotNew()
{
    slotNewTab();
    currentTab->textEdit->setPlainText(QString());
}

void Editor::slotTextChanged()
{
    // The page whose editor changed, which during a load need not be the visible one.
    EditorTabs *page = currentTab;
    for (int i = 0; i < tabWidget->count(); ++i) {
        auto *candidate = static_cast<EditorTabs *>(tabWidget->widget(i));
        if (candidate->textEdit == sender())
            page = candidate;
    }
    if (!page)
        return;
    if (page->docState >= 1) {
        const int index = tabWidget->indexOf(page);
        const QString text = tabWidget->tabText(index);
        if (!text.startsWith(QLatin1Char('*')))
            tabWidget->setTabText(index, QStringLiteral("* ") + text);
        page->docState = 2;
    } else {
        ++page->docState;
    }
}

void Editor::slotCloseCurrentTab()
{
    slotCloseTab(tabWidget->currentIndex());
}

namespace {

QString runningSimulationText(const Job *job)
{
    return QObject::tr("You are about to close a file which is attached to a running "
                       "simulation.") +
           QStringLiteral("\n\n") +
           (job->cluster ? QObject::tr("  Slurm job: %1 \n").arg(job->cluster->id)
                         : QStringLiteral("  PID: %1 \n").arg(job->pid)) +
           QObject::tr("  Driving File:") + QStringLiteral("\n    ") + job->drivingFile +
           QStringLiteral("\n") + QObject::tr("  Screen File:") + QStringLiteral("\n    ") +
           job->screenFile + QStringLiteral("\n\n");
}

// Asks what becomes of the page's running simulation; false when the user keeps the page.
bool releaseRunningJob(Editor *editor, EditorTabs *page)
{
    Job *job = editor->jobs.getJob(page->jobId);
    if (!page->monitoring || !job)
        return true;
    QMessageBox box(QMessageBox::Question, Editor::tr("Running Simulation"),
                    runningSimulationText(job), QMessageBox::NoButton, editor);
    QPushButton *detach =
        box.addButton(Editor::tr("Run detached simulation in background"), QMessageBox::AcceptRole);
    QPushButton *kill = box.addButton(Editor::tr("Kill simulation"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(cancel);
    box.exec();
    if (box.clickedButton() == kill && !job->cluster) {
        editor->killProcess(page);
        return true;
    }
    if (box.clickedButton() != detach && box.clickedButton() != kill)
        return false;
    if (job->cluster && box.clickedButton() == kill)
        // Detached, so that the cancel reaches Slurm even when the editor is closing.
        QProcess::startDetached(QStringLiteral("scancel"), {job->cluster->id});
    editor->detachProcess(page);
    return true;
}

// Asks whether to keep the page's changes; false when they are neither saved nor given up.
bool settleModifications(Editor *editor, EditorTabs *page)
{
    if (!page->hasUnsavedText())
        return true;
    QMessageBox box(QMessageBox::Question, Editor::tr("Modified File"),
                    Editor::tr("This file has been modified.\nDo you want to save your changes?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, editor);
    box.setWindowIcon(editor->windowIcon());
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return editor->slotSave();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

} // namespace

bool Editor::slotCloseTab(int akt)
{
    auto *page = static_cast<EditorTabs *>(tabWidget->widget(akt));
    if (!page)
        return false;
    EditorTabs *remembered = currentTab;
    currentTab = page;
    if (!releaseRunningJob(this, page) || !settleModifications(this, page)) {
        // The visible page stays the one that commands work on.
        if (tabWidget->indexOf(remembered) >= 0)
            currentTab = remembered;
        return false;
    }
    tabWidget->removeTab(tabWidget->indexOf(page));
    page->deleteLater();
    if (remembered == page)
        currentTab = static_cast<EditorTabs *>(tabWidget->currentWidget());
    else
        currentTab = remembered;
    return true;
}
