// Opening, loading and reloading driving files, and noticing changes on disk.
#include "app/window/editor.h"

#include "app/config/configuration.h"
#include "app/main.h"
#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/page/textfile.h"
#include "app/recovery/journalkeeper.h"
#include "app/recovery/recoveryoffer.h"
#include "app/text/customtextedit.h"
#include "app/window/filefilter.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The page a load fills: a modified or named page is never overwritten by an open.
EditorTabs *pageForLoad(Editor *editor, bool reload)
{
    EditorTabs *page = editor->currentTab;
    if (reload) {
        delete page->fileInfo;
        page->fileInfo = nullptr;
        page->docState = -1;
        return page;
    }
    if (!page || page->hasUnsavedText() || page->fileInfo)
        editor->currentTab = editor->getNewTab();
    return editor->currentTab;
}

// Lets the user decide about a file that does not look like a driving file; nothing is read
// or changed unless they choose to open it.
bool openAnyway(Editor *editor, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, editor);
    QPushButton *open = box.addButton(Editor::tr("Open anyway"), QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    return box.clickedButton() == open;
}

QString savingNote()
{
    return Editor::tr("\nSaving it would store the text as shown, not the original bytes.");
}

bool confirmDoubt(Editor *editor, const QString &path, TextDoubt doubt)
{
    switch (doubt) {
    case TextDoubt::None:
        return true;
    case TextDoubt::NulBytes:
        return openAnyway(editor, Editor::tr("Binary file"),
                          Editor::tr("The file '%1' contains NUL bytes; it is probably not a "
                                     "driving file.\nOpen it anyway?")
                                  .arg(path) +
                              savingNote());
    case TextDoubt::InvalidUtf8:
        return openAnyway(editor, Editor::tr("Invalid UTF-8"),
                          Editor::tr("The file '%1' is not valid UTF-8 text; characters that "
                                     "cannot be read are shown as %2.\nOpen it anyway?")
                                  .arg(path, QString(QChar::ReplacementCharacter)) +
                              savingNote());
    }
    return false;
}

bool confirmSize(Editor *editor, const QString &path)
{
    const qint64 size = QFileInfo(path).size();
    if (size <= largeTextFileSize)
        return true;
    if (size > maximumTextFileSize) {
        QMessageBox::critical(editor, Editor::tr("File too large"),
                              Editor::tr("The file '%1' holds %2 MB, far more than any driving "
                                         "file; files above %3 MB are not opened.")
                                  .arg(path, QString::number(size / (1024 * 1024)),
                                       QString::number(maximumTextFileSize / (1024 * 1024))));
        return false;
    }
    return openAnyway(editor, Editor::tr("Large file"),
                      Editor::tr("The file '%1' holds %2 MB, far more than a driving file; "
                                 "opening it may take long.\nOpen it anyway?")
                          .arg(path, QString::number(size / (1024 * 1024))));
}

} // namespace

bool Editor::loadFile(const QString &path, bool reload, bool analyseInBackground)
{
    if (!confirmSize(this, path))
        return false;
    QString text;
    TextDoubt doubt = TextDoubt::None;
    TextFormat format;
    if (!readTextFile(path, text, &doubt, &format)) {
        QMessageBox::critical(this, tr("Error"),
                              tr("Could not open file") + QStringLiteral("'") + path +
                                  QStringLiteral("'."));
        configuration->removeRecentFile(path);
        updateRecentMenu();
        return false;
    }
    if (!confirmDoubt(this, path, doubt))
        return false;
    configuration->isRecent(path);
    updateRecentMenu();

    const bool replacesEdits = reload && currentTab && currentTab->hasUnsavedText();
    EditorTabs *page = pageForLoad(this, reload);
    page->fileInfo = new QFileInfo(path);
    page->lastModified = page->fileInfo->lastModified();
    page->diskBase = fileBaseOf(path);
    page->textFormat = format;
    // In its final font the text is laid out once.
    slotFontSizeChanged(configuration->fontSize);
    if (replacesEdits)
        page->replaceTextUndoably(text);
    else
        page->textEdit->setPlainText(text);

    const int index = tabWidget->indexOf(page);
    tabWidget->setTabText(index, page->fileInfo->fileName());
    tabWidget->setTabToolTip(index, page->fileInfo->absoluteFilePath());
    lastDirectory = page->fileInfo->absolutePath();

    page->configuration = *configuration;
    page->layoutRunConfiguration();
    page->docState = 1;
    page->outputShown = false;
    reloadAction->setEnabled(true);
    journalKeeper->dropJournal(page);
    page->analyzeLoadedText(analyseInBackground, [this, page, analyseInBackground] {
        showLoadedResults(page);
        // The menus of a page shown before its analysis ended were left empty.
        if (analyseInBackground && page == currentTab)
            updateDiagramMenu();
    });
    if (!reload)
        offerRecovery(this, page->fileInfo->absoluteFilePath());
    return true;
}

// The results of the run the loaded file names, found through its analysis.
void Editor::showLoadedResults(EditorTabs *page)
{
    EditorTabs *shown = currentTab;
    currentTab = page;
    page->setupOutputLocation();
    buildResultSelection();
    page->selectScreenResult();
    slotUpdateOutput();
    currentTab = shown;
    resumeClusterRun(page);
}

void Editor::slotOpen()
{
    QFileDialog dialog(this, tr("Open File"), lastDirectory, drivingFileFilter());
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setOption(QFileDialog::HideNameFilterDetails, false);
    if (!dialog.exec())
        return;
    EditorTabs *first = nullptr;
    const QStringList files = dialog.selectedFiles();
    for (const QString &file : files) {
        if (loadFile(file, false, true) && !first)
            first = currentTab;
    }
    if (first)
        slotChangeTab(tabWidget->indexOf(first));
}

void Editor::slotReloadFromDisk()
{
    if (!currentTab || !currentTab->fileInfo)
        return;
    const QString path = currentTab->fileInfo->absoluteFilePath();
    // A vanished file replaces nothing; the load says that it cannot be read.
    if (currentTab->hasUnsavedText() && QFileInfo::exists(path)) {
        QMessageBox box(QMessageBox::Warning, tr("Reload from Disk"),
                        tr("This file has been modified.\nReloading replaces your changes by "
                           "the file on disk; Undo brings them back."),
                        QMessageBox::NoButton, this);
        QPushButton *reload = box.addButton(tr("Reload from Disk"), QMessageBox::AcceptRole);
        box.setDefaultButton(box.addButton(QMessageBox::Cancel));
        box.exec();
        if (box.clickedButton() != reload)
            return;
    }
    loadFile(path, true, true);
}

bool Editor::updateFileInfo()
{
    return checkDisk() != DiskCheck::Ignored;
}

Editor::DiskCheck Editor::checkDisk()
{
    if (!currentTab || !currentTab->fileInfo)
        return DiskCheck::Unchanged;
    const QString path = currentTab->fileInfo->absoluteFilePath();
    // A file replaced by an older copy (a restored backup) changed as well; a deleted file has
    // nothing to lose and is written anew by the next save.
    const QFileInfo onDisk(path);
    if (!onDisk.exists() || onDisk.lastModified() == currentTab->lastModified)
        return DiskCheck::Unchanged;

    const bool edited = currentTab->hasUnsavedText();
    QDialog dialog(this);
    dialog.setWindowTitle(tr("File changed on disk"));
    auto *grid = new QGridLayout(&dialog);
    QString text =
        tr("Current file \n\n") + path + QStringLiteral("\n\n") + tr(" changed on disk!");
    if (edited)
        text += QStringLiteral("\n\n") +
                tr("Reloading replaces your unsaved changes in this page by the file on disk; "
                   "Undo brings them back. Ignore keeps your changes.");
    grid->addWidget(new QLabel(text), 1, 0, 1, 2);
    auto *reload = new QPushButton(tr("Reload from Disk"));
    auto *ignore = new QPushButton(tr("Ignore"));
    connect(reload, &QPushButton::clicked, &dialog, &QDialog::accept);
    connect(ignore, &QPushButton::clicked, &dialog, &QDialog::reject);
    // Return must never throw typing away.
    if (edited) {
        reload->setAutoDefault(false);
        ignore->setDefault(true);
    }
    grid->addWidget(reload, 2, 0);
    grid->addWidget(ignore, 2, 1);
    if (dialog.exec() != QDialog::Accepted)
        return DiskCheck::Ignored;
    loadFile(path, true);
    return DiskCheck::Reloaded;
}
