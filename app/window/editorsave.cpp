// Saving pages, including copies of files that a running simulation reads.
#include "app/window/editor.h"

#include "app/config/configuration.h"
#include "app/main.h"
#include "app/outline/bookmarks.h"
#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/page/interfacetabwidget.h"
#include "app/page/textfile.h"
#include "app/recovery/journalkeeper.h"
#include "app/text/customtextedit.h"
#include "app/window/filefilter.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

bool isPageFile(const EditorTabs *page, const QString &path)
{
    return page->fileInfo &&
           QFileInfo(path).absoluteFilePath() == page->fileInfo->absoluteFilePath();
}

// The running simulation reads the page's file: only a copy may be written.
bool askForCopy(Editor *editor)
{
    QMessageBox box(QMessageBox::Warning, Editor::tr("Driving file overwrite"),
                    Editor::tr("This driving file is used for a running simulation!") +
                        QStringLiteral("\n"),
                    QMessageBox::NoButton, editor);
    QPushButton *copy = box.addButton(Editor::tr("Create a copy"), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == copy;
}

} // namespace

Editor::SaveOutcome Editor::savePage(QString &path)
{
    if (path.isEmpty() || !currentTab)
        return SaveOutcome::Failed;
    EditorTabs *page = currentTab;
    const QString formerScreenFile = page->screenFile;
    updateDiagramMenu();

    const bool copyMode = page->monitoring && (!isPageFile(page, path) || page->docState == 2);
    const int formerDocState = page->docState;
    if (copyMode) {
        if (!askForCopy(this))
            return SaveOutcome::Cancelled;
        if (isPageFile(page, path))
            path = makeFileNameCopy(path);
    } else if (checkDisk() == DiskCheck::Reloaded) {
        // Writing now would put the disk's version back, the edits only an Undo away.
        return SaveOutcome::Reloaded;
    }
    const QString text = page->textEdit->toPlainText();

    page->interfaceTabs->slotInterfaceChange(page->interfaceTabs->currentIndex());
    if (!writeTextFile(path, text, page->textFormat))
        return SaveOutcome::Failed;

    if (copyMode) {
        // Only now that the edits are safe in the copy may the page go back to the disk version.
        loadFile(page->fileInfo->absoluteFilePath(), true);
        loadFile(path, false);
        tabWidget->setCurrentIndex(tabWidget->count() - 1);
        currentTab = static_cast<EditorTabs *>(tabWidget->currentWidget());
        return SaveOutcome::Saved;
    }

    delete page->fileInfo;
    page->fileInfo = new QFileInfo(path);
    page->lastModified = page->fileInfo->lastModified();
    page->diskBase = fileBaseOf(path);
    journalKeeper->dropJournal(page);
    const int index = tabWidget->indexOf(page);
    tabWidget->setTabText(index, page->fileInfo->fileName());
    tabWidget->setTabToolTip(index, page->fileInfo->absoluteFilePath());
    lastDirectory = page->fileInfo->absolutePath();

    int line = -1;
    Node *failed = nullptr;
    page->reanalyze(page->syntaxFile, line, failed);
    page->syntaxValid = !failed;
    QStringList lines = page->textLines();
    page->bookmarks->updateModel(&lines);
    if (!configuration->isRecent(page->fileInfo->absoluteFilePath()))
        updateRecentMenu();
    page->docState = 1;

    if (formerDocState == 2) {
        page->setupOutputLocation();
        if (page->screenFile != formerScreenFile) {
            buildResultSelection();
            slotUpdateOutput();
        }
        updateDiagramMenu();
    }
    return SaveOutcome::Saved;
}

bool Editor::saveFile(QString &path)
{
    return savePage(path) == SaveOutcome::Saved;
}

bool Editor::slotSave()
{
    if (!currentTab)
        return false;
    if (!currentTab->fileInfo)
        return slotSaveAs();
    QString path = currentTab->fileInfo->absoluteFilePath();
    const SaveOutcome outcome = savePage(path);
    if (outcome == SaveOutcome::Failed) {
        QMessageBox::warning(this, tr("IO Error"),
                             tr("Writing file") + QStringLiteral(" '") + path +
                                 QStringLiteral("'") + tr("failed!"));
        return false;
    }
    if (outcome == SaveOutcome::Reloaded)
        return false;
    // Declining to copy a running simulation's file is a choice, not an error.
    slotChangeTab(tabWidget->currentIndex());
    return true;
}

bool Editor::slotSaveAs()
{
    if (!currentTab)
        return false;
    QFileDialog dialog(this, tr("Save File"), lastDirectory, drivingFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(os_defaultExtension);
    if (!dialog.exec() || dialog.selectedFiles().value(0).isEmpty())
        return false;
    QString path = dialog.selectedFiles().constFirst();
    const SaveOutcome outcome = savePage(path);
    if (outcome == SaveOutcome::Failed) {
        QMessageBox::warning(this, tr("IO Error"),
                             tr("Writing file") + QStringLiteral(" \"") + path +
                                 QStringLiteral("\" ") + tr("failed") + QStringLiteral("!"));
    }
    if (outcome != SaveOutcome::Saved)
        return false;
    slotChangeTab(tabWidget->currentIndex());
    return true;
}

QString Editor::makeFileNameCopy(QString name)
{
    const QString marker = QStringLiteral("_copy_");
    // Markers in a directory name would send the copy into a directory that does not exist.
    const int nameStart = name.lastIndexOf(QLatin1Char('/')) + 1;
    const auto lastInName = [&name, nameStart](const QString &what) {
        const int at = name.lastIndexOf(what);
        return at >= nameStart ? at : -1;
    };
    for (;;) {
        int i = lastInName(marker);
        int j = lastInName(QStringLiteral("_dri"));
        if (j == -1)
            j = lastInName(QStringLiteral("."));
        int n = 1;
        if (i == -1)
            i = j;
        else
            n = name.mid(i + marker.size(), j - i - marker.size()).toInt() + 1;
        QString candidate = (i == -1 ? name : name.left(i)) + QStringLiteral("_copy_%1").arg(n);
        if (j != -1)
            candidate += name.mid(j);
        if (!QFileInfo::exists(candidate))
            return candidate;
        name = candidate;
    }
}
