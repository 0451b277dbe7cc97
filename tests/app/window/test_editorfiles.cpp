#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/text/customtextedit.h"
#include "app/window/editor.h"
#include "run/job.h"
#include "syntax/syntaxanalyzer.h"
#include "tests/support/dialoganswer.h"
#include "tests/support/dropevent.h"
#include "tests/support/processstate.h"

#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

class TestEditorFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void openReusesOnlyAnUnmarkedUntitledPage();
    void textInAFreshPageIsNeverDroppedSilently();
    void openingAnOpenFileAgainMakesASecondPage();
    void loadKeepsTheGrammarThatGotFurther_data();
    void loadKeepsTheGrammarThatGotFurther();
    void firstKeystrokeMarksAndSavingUnmarks();
    void saveOnUntitledWithCancelledDialogWritesNothing();
    void saveAsWritesTheChosenFile();
    void copyNames_data();
    void copyNames();
    void runningFileIsSavedAsCopy();
    void declinedCopyKeepsEverything();
    void closeAnswers_data();
    void closeAnswers();
    void closeWithFailedSaveKeepsThePage();
    void closeWithRunningSimulation_data();
    void closeWithRunningSimulation();
    void dropOpensEveryFileAndShowsTheLast();
    void changedOnDiskIgnoreAsksAgain();
    void changedOnDiskReloadShowsTheDiskText();
    void questionsKeepUnsavedEdits_data();
    void questionsKeepUnsavedEdits();
    void failedWriteLeavesTheOriginalIntact_data();
    void failedWriteLeavesTheOriginalIntact();
    void unreadableFileMakesNoPage();

private:
    QString write(const QString &name, const QByteArray &content);
    QByteArray read(const QString &name) const;
    EditorTabs *page(int index) const;
    QString tabText(int index) const { return editor->tabWidget->tabText(index); }

    QTemporaryDir home;
    QScopedPointer<QTemporaryDir> dir; // fresh for each test
    Editor *editor = nullptr;
};

void TestEditorFiles::initTestCase()
{
    Q_INIT_RESOURCE(MyRes);
    qputenv("HOME", home.path().toLocal8Bit());
}

void TestEditorFiles::init()
{
    dir.reset(new QTemporaryDir);
    editor = new Editor(home.filePath(QStringLiteral(".vorpenrc7000")));
}

void TestEditorFiles::cleanup()
{
    delete editor;
    editor = nullptr;
}

QString TestEditorFiles::write(const QString &name, const QByteArray &content)
{
    QFile file(dir->filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write fixture");
    return file.fileName();
}

QByteArray TestEditorFiles::read(const QString &name) const
{
    QFile file(dir->filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

EditorTabs *TestEditorFiles::page(int index) const
{
    return static_cast<EditorTabs *>(editor->tabWidget->widget(index));
}

void TestEditorFiles::openReusesOnlyAnUnmarkedUntitledPage()
{
    const QString a = write(QStringLiteral("a_dri.txt"), "alpha\n");
    const QString b = write(QStringLiteral("b_dri.txt"), "beta\n");
    QCOMPARE(editor->tabWidget->count(), 1);
    EditorTabs *untitled = page(0);

    QVERIFY(editor->loadFile(a, false));
    QCOMPARE(editor->tabWidget->count(), 1);
    QCOMPARE(page(0), untitled);
    QCOMPARE(tabText(0), QStringLiteral("a_dri.txt"));
    QCOMPARE(untitled->textEdit->toPlainText(), QStringLiteral("alpha\n"));
    QCOMPARE(untitled->docState, 1);

    // A page with a file is never reused.
    QVERIFY(editor->loadFile(b, false));
    QCOMPARE(editor->tabWidget->count(), 2);
    QCOMPARE(page(0)->textEdit->toPlainText(), QStringLiteral("alpha\n"));
    QCOMPARE(editor->currentTab, page(1));

    // A marked "Untitled" page is kept with its text.
    editor->slotNewTab();
    QTest::keyClicks(editor->currentTab->textEdit, QStringLiteral("typed"));
    QVERIFY(tabText(2).startsWith(QStringLiteral("* ")));
    QVERIFY(editor->loadFile(a, false));
    QCOMPARE(editor->tabWidget->count(), 4);
    QCOMPARE(page(2)->textEdit->toPlainText(), QStringLiteral("typed"));
    QCOMPARE(tabText(3), QStringLiteral("a_dri.txt"));
}

void TestEditorFiles::textInAFreshPageIsNeverDroppedSilently()
{
    // One paste is a single change, which a new page does not mark.
    editor->currentTab->textEdit->insertPlainText(QStringLiteral("pasted driving file"));
    QCOMPARE(tabText(0), QStringLiteral("Untitled"));

    const QString a = write(QStringLiteral("a_dri.txt"), "alpha\n");
    QVERIFY(editor->loadFile(a, false));
    QCOMPARE(editor->tabWidget->count(), 2);
    QCOMPARE(page(0)->textEdit->toPlainText(), QStringLiteral("pasted driving file"));

    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("Cancel"));
    QVERIFY(!editor->slotCloseTab(0));
    QCOMPARE(seen.title, QStringLiteral("Modified File"));
    QCOMPARE(editor->tabWidget->count(), 2);
}

void TestEditorFiles::openingAnOpenFileAgainMakesASecondPage()
{
    const QString a = write(QStringLiteral("a_dri.txt"), "alpha\n");
    QVERIFY(editor->loadFile(a, false));
    QVERIFY(editor->loadFile(a, false));
    QCOMPARE(editor->tabWidget->count(), 2);
    QVERIFY(page(0) != page(1));
    QCOMPARE(tabText(1), QStringLiteral("a_dri.txt"));
    QCOMPARE(editor->tabWidget->tabToolTip(1), QFileInfo(a).absoluteFilePath());
    QCOMPARE(page(1)->textEdit->toPlainText(), QStringLiteral("alpha\n"));
}

// The delivered examples, which their own test keeps valid.
static QByteArray example(const char *name)
{
    QFile file(QStringLiteral(VORPEN_SOURCE_DIR "/examples/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing example %s", name);
    QByteArray text = file.readAll();
    if (!text.endsWith('\n'))
        text += '\n';
    return text;
}

// A line after the end of the grammar fails the file at its last line.
static QByteArray withExtraLine(const QByteArray &text)
{
    return text + "surplus 42\n";
}

void TestEditorFiles::loadKeepsTheGrammarThatGotFurther_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("syntaxFile");
    QTest::addColumn<bool>("valid");
    const QString v7 = QStringLiteral("ZEL_Syntax_7-0.xml");
    const QString v6 = QStringLiteral("ZEL_Syntax_6-4.xml");
    const QByteArray text7 = example("grain_growth_2d_dri.txt");
    const QByteArray text6 = example("grain_growth_restart_v64_dri.txt");
    QTest::newRow("valid 7.0") << text7 << v7 << true;
    QTest::newRow("valid 6.4") << text6 << v6 << true;
    QTest::newRow("6.4 gets further") << withExtraLine(text6) << v6 << false;
    QTest::newRow("7.0 gets further") << withExtraLine(text7) << v7 << false;
    QTest::newRow("tie keeps 7.0") << QByteArray("# language\nklingon\n") << v7 << false;
}

void TestEditorFiles::loadKeepsTheGrammarThatGotFurther()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, syntaxFile);
    QFETCH(bool, valid);
    QVERIFY(editor->loadFile(write(QStringLiteral("f_dri.txt"), text), false));
    EditorTabs *loaded = editor->currentTab;
    QCOMPARE(loaded->syntaxFile, syntaxFile);
    QCOMPARE(loaded->syntaxValid, valid);
    QVERIFY(loaded->analyzer);
    const QString version = syntaxFile == QStringLiteral("ZEL_Syntax_7-0.xml") ? "7.0" : "6.4";
    QCOMPARE(loaded->analyzer->getRoot()->defaultValue(), version);
}

void TestEditorFiles::firstKeystrokeMarksAndSavingUnmarks()
{
    const QString a = write(QStringLiteral("a_dri.txt"), "alpha\n");
    QVERIFY(editor->loadFile(a, false));
    editor->slotChangeTab(0);
    QCOMPARE(tabText(0), QStringLiteral("a_dri.txt"));

    QTest::keyClick(editor->currentTab->textEdit, Qt::Key_X);
    QCOMPARE(tabText(0), QStringLiteral("* a_dri.txt"));
    QCOMPARE(editor->currentTab->docState, 2);
    QTest::keyClick(editor->currentTab->textEdit, Qt::Key_Y);
    QCOMPARE(tabText(0), QStringLiteral("* a_dri.txt"));

    const QFileDevice::Permissions permissions =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(a, permissions));
    QVERIFY(editor->slotSave());
    QCOMPARE(tabText(0), QStringLiteral("a_dri.txt"));
    QCOMPARE(editor->currentTab->docState, 1);
    QCOMPARE(read(QStringLiteral("a_dri.txt")), QByteArray("xyalpha\n"));
    QCOMPARE(QFile::permissions(a) & 0x7077, permissions);
}

void TestEditorFiles::saveOnUntitledWithCancelledDialogWritesNothing()
{
    editor->lastDirectory = dir->path();
    QTest::keyClicks(editor->currentTab->textEdit, QStringLiteral("text"));
    const QStringList before = QDir(dir->path()).entryList(QDir::Files | QDir::Hidden);

    SeenDialog seen;
    onNextDialog(&seen, [](QDialog *dialog) { dialog->reject(); });
    QVERIFY(!editor->slotSave());
    QVERIFY(seen.shown);
    QCOMPARE(seen.title, QStringLiteral("Save File"));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), before);
    QVERIFY(!editor->currentTab->fileInfo);
    QVERIFY(tabText(0).startsWith(QStringLiteral("* ")));
}

void TestEditorFiles::saveAsWritesTheChosenFile()
{
    editor->lastDirectory = dir->path();
    QTest::keyClicks(editor->currentTab->textEdit, QStringLiteral("text"));
    const QString target = dir->filePath(QStringLiteral("new"));

    SeenDialog seen;
    onNextDialog(&seen, [target](QDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(target);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    QVERIFY(editor->slotSave());
    // The default suffix completes a name typed without one.
    QCOMPARE(read(QStringLiteral("new.dri")), QByteArray("text"));
    QCOMPARE(tabText(0), QStringLiteral("new.dri"));
    QCOMPARE(editor->lastDirectory, dir->path());
}

void TestEditorFiles::copyNames_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("copy");
    QTest::newRow("dri suffix") << QStringList() << "a_dri.txt"
                                << "a_copy_1_dri.txt";
    QTest::newRow("next free number")
        << QStringList{"a_copy_1_dri.txt", "a_copy_2_dri.txt"} << "a_dri.txt"
        << "a_copy_3_dri.txt";
    QTest::newRow("copy of a copy") << QStringList() << "a_copy_4_dri.txt"
                                    << "a_copy_5_dri.txt";
    QTest::newRow("extension") << QStringList() << "b.dri"
                               << "b_copy_1.dri";
    QTest::newRow("no extension") << QStringList() << "c"
                                  << "c_copy_1";
    QTest::newRow("dot in the directory only") << QStringList() << "v1.2/c"
                                               << "v1.2/c_copy_1";
    QTest::newRow("marker in the directory only") << QStringList() << "x_dri/d.in"
                                                  << "x_dri/d_copy_1.in";
}

void TestEditorFiles::copyNames()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, name);
    QFETCH(QString, copy);
    QDir(dir->path()).mkpath(QFileInfo(dir->filePath(name)).path());
    for (const QString &file : existing)
        write(file, "x");
    QCOMPARE(editor->makeFileNameCopy(dir->filePath(name)), dir->filePath(copy));
    for (const QString &file : existing)
        QFile::remove(dir->filePath(file));
}

void TestEditorFiles::runningFileIsSavedAsCopy()
{
    const QString x = write(QStringLiteral("x_dri.txt"), "running\n");
    write(QStringLiteral("x_copy_1_dri.txt"), "older copy\n");
    QVERIFY(editor->loadFile(x, false));
    editor->slotChangeTab(0);
    EditorTabs *running = editor->currentTab;
    running->monitoring = true;
    QTest::keyClick(running->textEdit, Qt::Key_E);

    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("Create a copy"));
    QVERIFY(editor->slotSave());
    QCOMPARE(seen.title, QStringLiteral("Driving file overwrite"));
    QCOMPARE(seen.text, QStringLiteral("This driving file is used for a running simulation!\n"));

    QCOMPARE(read(QStringLiteral("x_dri.txt")), QByteArray("running\n"));
    QCOMPARE(read(QStringLiteral("x_copy_1_dri.txt")), QByteArray("older copy\n"));
    QCOMPARE(read(QStringLiteral("x_copy_2_dri.txt")), QByteArray("erunning\n"));
    // The running file's page shows the disk version again; the copy is open and current.
    QCOMPARE(running->textEdit->toPlainText(), QStringLiteral("running\n"));
    QCOMPARE(tabText(0), QStringLiteral("x_dri.txt"));
    QCOMPARE(editor->tabWidget->count(), 2);
    QCOMPARE(editor->tabWidget->currentIndex(), 1);
    QCOMPARE(editor->currentTab, page(1));
    QCOMPARE(tabText(1), QStringLiteral("x_copy_2_dri.txt"));
}

void TestEditorFiles::declinedCopyKeepsEverything()
{
    const QString x = write(QStringLiteral("x_dri.txt"), "running\n");
    QVERIFY(editor->loadFile(x, false));
    editor->slotChangeTab(0);
    editor->currentTab->monitoring = true;
    QTest::keyClick(editor->currentTab->textEdit, Qt::Key_E);

    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("Cancel"));
    QVERIFY(editor->slotSave());
    QVERIFY(seen.shown);
    QCOMPARE(read(QStringLiteral("x_dri.txt")), QByteArray("running\n"));
    QCOMPARE(editor->currentTab->textEdit->toPlainText(), QStringLiteral("erunning\n"));
    QCOMPARE(tabText(0), QStringLiteral("* x_dri.txt"));
    QCOMPARE(editor->tabWidget->count(), 1);
}

void TestEditorFiles::closeAnswers_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QByteArray>("onDisk");
    QTest::newRow("save") << "Save" << true << QByteArray("zalpha\n");
    QTest::newRow("discard") << "Discard" << true << QByteArray("alpha\n");
    QTest::newRow("cancel") << "Cancel" << false << QByteArray("alpha\n");
}

void TestEditorFiles::closeAnswers()
{
    QFETCH(QString, answer);
    QFETCH(bool, closed);
    QFETCH(QByteArray, onDisk);
    const QString a = write(QStringLiteral("a_dri.txt"), "alpha\n");
    const QString b = write(QStringLiteral("b_dri.txt"), "beta\n");
    QVERIFY(editor->loadFile(a, false));
    QVERIFY(editor->loadFile(b, false));
    editor->slotChangeTab(0);
    QTest::keyClick(editor->currentTab->textEdit, Qt::Key_Z);
    editor->slotChangeTab(1);

    SeenDialog seen;
    clickInNextDialog(&seen, answer);
    QCOMPARE(editor->slotCloseTab(0), closed);
    QCOMPARE(seen.title, QStringLiteral("Modified File"));
    QCOMPARE(seen.text, QStringLiteral("This file has been modified.\nDo you want to save your "
                                       "changes?"));
    QCOMPARE(editor->tabWidget->count(), closed ? 1 : 2);
    QCOMPARE(read(QStringLiteral("a_dri.txt")), onDisk);
    // The page the user looks at stays the one commands work on.
    QCOMPARE(editor->currentTab, static_cast<EditorTabs *>(editor->tabWidget->currentWidget()));
    QCOMPARE(tabText(editor->tabWidget->currentIndex()), QStringLiteral("b_dri.txt"));
}

void TestEditorFiles::closeWithFailedSaveKeepsThePage()
{
    QTest::keyClicks(editor->currentTab->textEdit, QStringLiteral("unsaved"));
    SeenDialog question;
    SeenDialog saveAs;
    onNextDialog(&question, [&saveAs](QDialog *dialog) {
        onNextDialog(&saveAs, [](QDialog *files) { files->reject(); });
        qobject_cast<QMessageBox *>(dialog)->button(QMessageBox::Save)->click();
    });
    QVERIFY(!editor->slotCloseTab(0));
    QVERIFY(saveAs.shown);
    QCOMPARE(editor->tabWidget->count(), 1);
    QCOMPARE(editor->currentTab->textEdit->toPlainText(), QStringLiteral("unsaved"));
}

void TestEditorFiles::closeWithRunningSimulation_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("paused");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("stillRunning");
    QTest::newRow("detach") << "Run detached simulation in background" << false << true << true;
    QTest::newRow("detached paused run continues")
        << "Run detached simulation in background" << true << true << true;
    QTest::newRow("kill") << "Kill simulation" << false << true << false;
    QTest::newRow("cancel") << "Cancel" << false << false << true;
}

void TestEditorFiles::closeWithRunningSimulation()
{
    QFETCH(QString, answer);
    QFETCH(bool, paused);
    QFETCH(bool, closed);
    QFETCH(bool, stillRunning);
    const QString x = write(QStringLiteral("x_dri.txt"), "running\n");
    QVERIFY(editor->loadFile(x, false));
    editor->slotChangeTab(0);
    auto *process = new QProcess;
    process->start(QStringLiteral("sleep"), {QStringLiteral("60")});
    QVERIFY(process->waitForStarted());
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), editor,
            &Editor::slotFinished);
    auto *job = new Job(dir->filePath(QStringLiteral("x.scr")), x, process);
    job->pid = int(process->processId());
    const int pid = job->pid; // a killed job is gone after the close
    EditorTabs *running = editor->currentTab;
    running->jobId = editor->jobs.addJob(job);
    running->monitoring = true;
    QPointer<QProcess> watched(process);
    if (paused) {
        editor->slotSuspend();
        QTRY_COMPARE(processState(pid), 'T');
    }

    SeenDialog seen;
    clickInNextDialog(&seen, answer);
    QCOMPARE(editor->slotCloseTab(0), closed);
    QCOMPARE(seen.title, QStringLiteral("Running Simulation"));
    QVERIFY2(seen.text.contains(QStringLiteral("  PID: %1 \n").arg(pid)), qPrintable(seen.text));
    QVERIFY(seen.text.endsWith(QStringLiteral("  Driving File:\n    ") + x +
                               QStringLiteral("\n  Screen File:\n    ") +
                               dir->filePath(QStringLiteral("x.scr")) + QStringLiteral("\n\n")));
    QCOMPARE(editor->tabWidget->count(), closed ? 0 : 1);
    QCOMPARE(!watched.isNull() && watched->state() == QProcess::Running, stillRunning);
    // A process left stopped would never be told to continue.
    if (stillRunning)
        QTRY_VERIFY(processState(pid) != 'T');
}

void TestEditorFiles::dropOpensEveryFileAndShowsTheLast()
{
    QList<QUrl> urls;
    for (const char *name : {"d1_dri.txt", "d2_dri.txt", "d3_dri.txt"})
        urls << QUrl::fromLocalFile(write(QString::fromLatin1(name), name));
    const QString untouched = write(QStringLiteral("e_dri.txt"), "e");
    QVERIFY(editor->loadFile(untouched, false));

    QMimeData data;
    data.setUrls(urls);
    QVERIFY(dropOn(editor->currentTab->textEdit->viewport(), &data));
    QCOMPARE(editor->tabWidget->count(), 4);
    QCOMPARE(editor->tabWidget->currentIndex(), 3);
    QCOMPARE(tabText(3), QStringLiteral("d3_dri.txt"));
    QCOMPARE(editor->currentTab, page(3));
    QCOMPARE(page(0)->textEdit->toPlainText(), QStringLiteral("e"));

    // The tab bar takes drops the same way.
    QVERIFY(dropOn(editor->tabWidget, &data));
    QCOMPARE(editor->tabWidget->count(), 7);
    QCOMPARE(editor->tabWidget->currentIndex(), 6);
}

static void touchLater(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot rewrite fixture");
    file.setFileTime(QDateTime::currentDateTime().addSecs(10), QFileDevice::FileModificationTime);
}

void TestEditorFiles::changedOnDiskIgnoreAsksAgain()
{
    const QString a = write(QStringLiteral("a_dri.txt"), "alpha\n");
    QVERIFY(editor->loadFile(a, false));
    editor->slotChangeTab(0);
    touchLater(a, "changed\n");

    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("Ignore"));
    QVERIFY(!editor->updateFileInfo());
    QCOMPARE(seen.title, QStringLiteral("File changed on disk"));
    QCOMPARE(seen.text, QStringLiteral("Current file \n\n") + QFileInfo(a).absoluteFilePath() +
                            QStringLiteral("\n\n changed on disk!"));
    QCOMPARE(editor->currentTab->textEdit->toPlainText(), QStringLiteral("alpha\n"));

    SeenDialog again;
    clickInNextDialog(&again, QStringLiteral("Ignore"));
    QVERIFY(!editor->updateFileInfo());
    QVERIFY(again.shown);
}

void TestEditorFiles::changedOnDiskReloadShowsTheDiskText()
{
    const QString a = write(QStringLiteral("a_dri.txt"), "alpha\n");
    QVERIFY(editor->loadFile(a, false));
    editor->slotChangeTab(0);
    QTest::keyClick(editor->currentTab->textEdit, Qt::Key_Q);
    touchLater(a, "changed\n");

    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("Reload from Disk"));
    QVERIFY(editor->updateFileInfo());
    QVERIFY(seen.shown);
    QCOMPARE(editor->currentTab->textEdit->toPlainText(), QStringLiteral("changed\n"));
    QCOMPARE(tabText(0), QStringLiteral("a_dri.txt"));
    QCOMPARE(editor->currentTab->docState, 1);
    QCOMPARE(editor->tabWidget->count(), 1);
    QVERIFY(editor->updateFileInfo());
}

void TestEditorFiles::questionsKeepUnsavedEdits_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("answer"); // a button, or "Return" for the default
    QTest::addColumn<QString>("shownText");
    QTest::addColumn<QByteArray>("onDisk");
    QTest::newRow("Return on the changed-on-disk question keeps the edits")
        << "tab switch"
        << "Return"
        << "alpha\nq" << QByteArray("changed\n");
    QTest::newRow("save that reloads writes nothing; Undo brings the edits back")
        << "save"
        << "Reload from Disk"
        << "changed\n"
        << QByteArray("changed\n");
    QTest::newRow("save after Ignore writes the edits") << "save"
                                                        << "Ignore"
                                                        << "alpha\nq" << QByteArray("alpha\nq");
    QTest::newRow("Return on Reload from Disk of a modified page keeps the edits")
        << "reload"
        << "Return"
        << "alpha\nq" << QByteArray("changed\n");
}

void TestEditorFiles::questionsKeepUnsavedEdits()
{
    QFETCH(QString, command);
    QFETCH(QString, answer);
    QFETCH(QString, shownText);
    QFETCH(QByteArray, onDisk);
    const QString a = write(QStringLiteral("a_dri.txt"), "alpha\n");
    QVERIFY(editor->loadFile(a, false));
    editor->slotChangeTab(0);
    QTextEdit *text = editor->currentTab->textEdit;
    text->moveCursor(QTextCursor::End);
    QTest::keyClick(text, Qt::Key_Q);
    touchLater(a, "changed\n");

    SeenDialog seen;
    if (answer == QLatin1String("Return"))
        onNextDialog(&seen, [](QDialog *dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
    else
        clickInNextDialog(&seen, answer);
    if (command == QLatin1String("tab switch"))
        editor->updateFileInfo();
    else if (command == QLatin1String("save"))
        editor->slotSave();
    else
        editor->slotReloadFromDisk();

    QVERIFY(seen.shown);
    if (command != QLatin1String("reload") && answer != QLatin1String("Ignore"))
        QVERIFY(seen.text.contains(QStringLiteral("unsaved changes")));
    QCOMPARE(text->toPlainText(), shownText);
    QCOMPARE(read(QStringLiteral("a_dri.txt")), onDisk);
    if (shownText == QLatin1String("changed\n")) {
        text->undo();
        QCOMPARE(text->toPlainText(), QStringLiteral("alpha\nq"));
    }
}

void TestEditorFiles::failedWriteLeavesTheOriginalIntact_data()
{
    QTest::addColumn<bool>("secondName");
    QTest::newRow("file replaced by a new one") << false;
    QTest::newRow("file written in place, as it has a second name") << true;
}

void TestEditorFiles::failedWriteLeavesTheOriginalIntact()
{
    QFETCH(bool, secondName);
    const QByteArray original("original content\n");
    const QString a = write(QStringLiteral("a_dri.txt"), original);
    const QString b = dir->filePath(QStringLiteral("b_dri.txt"));
    if (secondName)
        QCOMPARE(link(QFile::encodeName(a).constData(), QFile::encodeName(b).constData()), 0);
    QVERIFY(editor->loadFile(a, false));
    editor->slotChangeTab(0);
    editor->currentTab->textEdit->setPlainText(QString(20000, QLatin1Char('v')));

    // A file-size limit makes the write stop half-way, as a full disk would.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    const bool saved_ok = editor->slotSave();
    setrlimit(RLIMIT_FSIZE, &saved);

    QVERIFY(!saved_ok);
    QCOMPARE(seen.title, QStringLiteral("IO Error"));
    QCOMPARE(seen.text, QStringLiteral("Writing file '") + QFileInfo(a).absoluteFilePath() +
                            QStringLiteral("'failed!"));
    QCOMPARE(read(QStringLiteral("a_dri.txt")), original);
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files).size(), secondName ? 2 : 1);
    QCOMPARE(tabText(0), QStringLiteral("* a_dri.txt"));
}

void TestEditorFiles::unreadableFileMakesNoPage()
{
    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    const QString missing = dir->filePath(QStringLiteral("missing_dri.txt"));
    QVERIFY(!editor->loadFile(missing, false));
    QCOMPARE(seen.title, QStringLiteral("Error"));
    QCOMPARE(seen.text, QStringLiteral("Could not open file'") + missing + QStringLiteral("'."));
    QCOMPARE(editor->tabWidget->count(), 1);
    QCOMPARE(tabText(0), QStringLiteral("Untitled"));
}

QTEST_MAIN(TestEditorFiles)
#include "test_editorfiles.moc"
