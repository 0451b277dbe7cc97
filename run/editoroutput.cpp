#include "app/config/configuration.h"
#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/window/editor.h"
#include "run/checkelement.h"
#include "run/customoutputtextedit.h"
#include "run/screenmarkers.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

namespace {

EditorTabs *pageOfTimer(const Editor *editor, const QTimer *timer)
{
    for (int i = 0; i < editor->tabWidget->count(); ++i) {
        auto *page = qobject_cast<EditorTabs *>(editor->tabWidget->widget(i));
        if (page && page->refreshTimer == timer)
            return page;
    }
    return nullptr;
}

bool readWhole(const QString &path, QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    text = QTextStream(&file).readAll();
    return true;
}

void restartTimer(EditorTabs *page, const QString &text)
{
    if (!page->refreshTimer)
        return;
    page->refreshTimer->stop();
    page->refreshTimer->start(ScreenMarkers::pollInterval(text));
}

bool isScreenFile(const QString &fileName)
{
    return fileName.contains(QLatin1String("_scr.txt")) || fileName.contains(QLatin1String(".scr"));
}

// Output page of a ticked entry, created at position index when the entry has none yet.
CustomOutputTextEdit *outputPage(Editor *editor, EditorTabs *page, CheckElement *element, int index)
{
    if (element->hasPage)
        return qobject_cast<CustomOutputTextEdit *>(page->outputTabs->widget(index));
    auto *view = new CustomOutputTextEdit(editor->outputFont);
    page->outputTabs->insertTab(index, view, element->resultFile);
    page->outputTabs->setCurrentIndex(index);
    return view;
}

// Reads a result file into its page; one both older and smaller than at the last read is left.
bool readResult(EditorTabs *page, CheckElement *element, CustomOutputTextEdit *view, QString &text)
{
    const QFileInfo info(page->resultDir + QLatin1Char('/') + element->resultFile);
    if (!info.exists() || !info.isReadable())
        return false;
    if (info.lastModified() < element->readTime && info.size() < element->readSize)
        return false;
    QString content;
    if (!readWhole(info.filePath(), content))
        return false;
    text = content;
    element->readTime = info.lastModified();
    element->readSize = info.size();
    if (isScreenFile(element->resultFile))
        page->lastText = text;
    if (view)
        view->loadText(text);
    return true;
}

void removeOutputPage(EditorTabs *page, CheckElement *element, int index)
{
    QWidget *view = page->outputTabs->widget(index);
    page->outputTabs->removeTab(index);
    if (view)
        view->deleteLater();
    element->hasPage = false;
    element->pageIndex = -1;
}

// Ticks the screen file once it is listed, so a run shows its output without a click.
void autoSelectScreen(EditorTabs *page)
{
    for (CheckElement *element : qAsConst(page->checkElements)) {
        if (!element->resultFile.contains(QLatin1String("scr")))
            continue;
        element->checkBox->setChecked(true);
        element->ticked = true;
        page->autoSelectScreen = false;
        return;
    }
}

// Follows a page that is not on screen: only its screen file, for the end markers.
void updateInBackground(Editor *editor, EditorTabs *page)
{
    const QFileInfo info(page->screenFile);
    if (!info.exists()) {
        if (page->jobId == -1 && page->checkElements.isEmpty()) {
            editor->killProcess(page);
            // Only this page stops following; the toggle must not act on the current one.
            const QSignalBlocker blocker(editor->autoRefreshAction);
            editor->autoRefreshAction->setChecked(false);
        }
        return;
    }
    if (!info.isReadable())
        return;
    QString text;
    if (info.lastModified() < page->lastRead && info.size() <= page->lastSize) {
        text = page->lastText;
    } else {
        if (!readWhole(page->screenFile, text))
            return;
        page->lastRead = info.lastModified();
        page->lastSize = info.size();
        page->lastText = text;
        if (editor->toFinish(text)) {
            editor->runReachedEnd(page);
            return;
        }
    }
    restartTimer(page, text);
}

// Brings the current page's result list and its visible output up to date.
void updateCurrentTab(Editor *editor)
{
    EditorTabs *page = editor->currentTab;
    editor->buildResultSelection();
    if (page->monitoring && page->autoSelectScreen)
        autoSelectScreen(page);

    QString text;
    int index = 0;
    for (CheckElement *element : qAsConst(page->checkElements)) {
        if (!element->displayable)
            continue;
        if (element->ticked) {
            CustomOutputTextEdit *view = outputPage(editor, page, element, index);
            element->hasPage = true;
            element->pageIndex = index;
            ++index;
            const bool visible = page->outputTabs->currentWidget() == view;
            if (visible || (page->monitoring && isScreenFile(element->resultFile)))
                readResult(page, element, view, text);
        } else if (element->hasPage) {
            removeOutputPage(page, element, index);
        }
    }

    if (!page->monitoring)
        return;
    if (editor->toFinish(text))
        editor->runReachedEnd(page);
    else
        restartTimer(page, text);
}

} // namespace

void Editor::slotUpdateOutput()
{
    if (!currentTab)
        return;
    if (auto *timer = qobject_cast<QTimer *>(sender())) {
        EditorTabs *owner = pageOfTimer(this, timer);
        if (!owner)
            return;
        const bool foreground = owner == currentTab && owner->outputShown;
        if (!foreground && owner->monitoring) {
            updateInBackground(this, owner);
            return;
        }
    }
    updateCurrentTab(this);
}

bool Editor::toFinish(const QString &text)
{
    return ScreenMarkers::isFinished(text);
}

namespace {

void forceNextRead(EditorTabs *page)
{
    page->lastSize = 0;
    for (CheckElement *element : qAsConst(page->checkElements))
        element->readSize = 0;
}

} // namespace

void Editor::slotRefreshOutput()
{
    if (!currentTab)
        return;
    currentTab->setupOutputLocation();
    if (currentTab->screenFile.isEmpty())
        return;
    buildResultSelection();
    slotShowOutput(true);
    forceNextRead(currentTab);
    slotUpdateOutput();
}

void Editor::slotActivateRefresh(bool on)
{
    if (!tabWidget->currentWidget() || !currentTab)
        return;
    if (!on) {
        if (currentTab->jobId == -1)
            killProcess(currentTab);
        return;
    }
    buildResultSelection();
    slotShowOutput(true);
    forceNextRead(currentTab);
    slotUpdateOutput();
    // A timer left from an earlier run or refresh would drive a second, duplicate update.
    if (currentTab->refreshTimer)
        currentTab->refreshTimer->deleteLater();
    currentTab->refreshTimer = new QTimer(this);
    connect(currentTab->refreshTimer, &QTimer::timeout, this, &Editor::slotUpdateOutput);
    currentTab->refreshTimer->start(1000);
    currentTab->monitoring = true;
}

void Editor::slotShowOutput(bool visible)
{
    if (!tabWidget->currentWidget() || !currentTab)
        return;
    currentTab->outputShown = visible;
    currentTab->outputPanel->setVisible(visible);
}
