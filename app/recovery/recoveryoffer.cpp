#include "app/recovery/recoveryoffer.h"

#include "app/main.h"
#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/page/textfile.h"
#include "app/recovery/journal.h"
#include "app/recovery/journalkeeper.h"
#include "app/recovery/linediff.h"
#include "app/text/customtextedit.h"
#include "app/text/fonts.h"
#include "app/window/editor.h"
#include "run/runrecord.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

namespace {

enum class Choice
{
    Recover,
    Discard,
    Later
};

QString pageName(const Journal &journal)
{
    return journal.path.isEmpty() ? Editor::tr("an \"Untitled\" page")
                                  : QStringLiteral("'") + journal.path + QStringLiteral("'");
}

QString describeBase(const FileBase &base)
{
    return Editor::tr("%1 bytes, modified %2")
        .arg(base.size)
        .arg(QLocale().toString(base.modified, QLocale::ShortFormat));
}

// What the user must know about the file before choosing.
QString diskNote(const Journal &journal)
{
    if (journal.path.isEmpty())
        return QString();
    const FileBase now = fileBaseOf(journal.path);
    if (now.isNone())
        return Editor::tr("The file no longer exists on disk; saving the recovered text "
                          "writes it anew.");
    if (journal.base.isNone() || !now.sameContent(journal.base))
        return Editor::tr("The file on disk changed after this text was based on it: it was "
                          "%1, it is now %2. Recovering and saving would replace that change.")
            .arg(journal.base.isNone() ? Editor::tr("missing") : describeBase(journal.base),
                 describeBase(now));
    return Editor::tr("The file on disk is unchanged since this text was based on it.");
}

void showDifferences(Editor *editor, const Journal &journal)
{
    QString disk;
    if (!journal.path.isEmpty())
        readTextFile(journal.path, disk);
    const QString differences = lineDifferences(disk, journal.text);

    QDialog dialog(editor);
    dialog.setWindowTitle(Editor::tr("Differences"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(
        new QLabel(Editor::tr("Lines marked \"-\" are only on disk, lines marked \"+\" only in the "
                              "recovered text.")));
    auto *view =
        new QPlainTextEdit(differences.isEmpty() ? Editor::tr("No differences.") : differences);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(monospaceFont(QStringLiteral("Courier New")));
    layout->addWidget(view);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(700, 500);
    dialog.exec();
}

Choice ask(Editor *editor, const Journal &journal)
{
    for (;;) {
        QMessageBox box(QMessageBox::Question, Editor::tr("Recover Unsaved Text"),
                        Editor::tr("Vorpen ended without saving %1. Its text as it stood at %2 "
                                   "was kept.")
                                .arg(pageName(journal),
                                     QLocale().toString(journal.written, QLocale::LongFormat)) +
                            QStringLiteral("\n\n") + diskNote(journal),
                        QMessageBox::NoButton, editor);
        QPushButton *recover = box.addButton(Editor::tr("Recover"), QMessageBox::AcceptRole);
        QPushButton *compare =
            box.addButton(Editor::tr("Show Differences"), QMessageBox::ActionRole);
        QPushButton *discard = box.addButton(Editor::tr("Discard"), QMessageBox::DestructiveRole);
        QPushButton *later = box.addButton(Editor::tr("Decide Later"), QMessageBox::RejectRole);
        box.setDefaultButton(recover);
        box.setEscapeButton(later);
        box.exec();
        if (box.clickedButton() == compare) {
            showDifferences(editor, journal);
            continue;
        }
        return box.clickedButton() == recover   ? Choice::Recover
               : box.clickedButton() == discard ? Choice::Discard
                                                : Choice::Later;
    }
}

EditorTabs *pageOfFile(Editor *editor, const QString &path)
{
    for (int i = 0; i < editor->tabWidget->count(); ++i) {
        auto *page = static_cast<EditorTabs *>(editor->tabWidget->widget(i));
        if (page->fileInfo && page->fileInfo->absoluteFilePath() == path)
            return page;
    }
    return nullptr;
}

// The page that takes the recovered text: the file's open page, the file loaded anew, or a
// new page bound to a file that is gone.
EditorTabs *pageFor(Editor *editor, const Journal &journal)
{
    if (journal.path.isEmpty())
        return editor->getNewTab();
    if (EditorTabs *open = pageOfFile(editor, journal.path))
        return open;
    if (QFileInfo::exists(journal.path) && editor->loadFile(journal.path, false))
        return editor->currentTab;
    EditorTabs *page = editor->getNewTab();
    page->fileInfo = new QFileInfo(journal.path);
    const int index = editor->tabWidget->indexOf(page);
    editor->tabWidget->setTabText(index, page->fileInfo->fileName());
    editor->tabWidget->setTabToolTip(index, journal.path);
    return page;
}

// A simulation goes on when the editor dies; the user should know before starting another.
void tellOfLiveRun(Editor *editor, const EditorTabs *page)
{
    RunRecord running;
    if (page->screenFile.isEmpty() || !liveRunOf(page->screenFile, running))
        return;
    QMessageBox::information(
        editor, Editor::tr("Simulation still running"),
        Editor::tr("The simulation of\n%1\nstarted %2 (process %3) went on running when Vorpen "
                   "ended. Its output goes to\n%4")
            .arg(running.drivingFile, QLocale().toString(running.started, QLocale::ShortFormat))
            .arg(running.pid)
            .arg(page->screenFile));
}

void recover(Editor *editor, const Journal &journal, const QString &file)
{
    EditorTabs *page = pageFor(editor, journal);
    // One undo step back to the text the page had, the file as on disk for a loaded file.
    page->replaceTextUndoably(journal.text);
    if (journal.grammar == defaultSyntax || journal.grammar == syntax64)
        page->syntaxFile = journal.grammar;
    page->docState = 2;
    const int index = editor->tabWidget->indexOf(page);
    if (page->fileInfo && !editor->tabWidget->tabText(index).startsWith(QLatin1Char('*')))
        editor->tabWidget->setTabText(index, QStringLiteral("* ") + page->fileInfo->fileName());
    editor->tabWidget->setCurrentWidget(page);
    editor->slotChangeTab(index);
    // The text is journaled by this instance before the old journal goes.
    editor->journalKeeper->journalNow(page);
    QFile::remove(file);
    tellOfLiveRun(editor, page);
}

void nameUnreadable(Editor *editor, const QString &file)
{
    static QSet<QString> named;
    if (named.contains(file))
        return;
    named.insert(file);
    QMessageBox::warning(editor, Editor::tr("Recover Unsaved Text"),
                         Editor::tr("The recovery journal\n%1\ncannot be read. It is kept; "
                                    "delete it once you no longer need it.")
                             .arg(file));
}

} // namespace

void offerRecovery(Editor *editor, const QString &onlyPath)
{
    JournalKeeper *keeper = editor->journalKeeper;
    static bool offering = false;
    // Recovering opens files, which would offer the same journals again.
    if (offering || !keeper->offersEnabled)
        return;
    offering = true;
    const QStringList files = keeper->folder().orphanedJournals();
    for (const QString &file : files) {
        Journal journal;
        if (!readJournal(file, journal)) {
            if (onlyPath.isEmpty())
                nameUnreadable(editor, file);
            continue;
        }
        if (!onlyPath.isEmpty() && journal.path != onlyPath)
            continue;
        switch (ask(editor, journal)) {
        case Choice::Recover:
            recover(editor, journal, file);
            break;
        case Choice::Discard:
            QFile::remove(file);
            break;
        case Choice::Later:
            break;
        }
    }
    keeper->folder().tidy();
    offering = false;
}
