#include "app/config/configuration.h"
#include "app/main.h"
#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/page/interfacetabwidget.h"
#include "app/text/customtextedit.h"
#include "app/window/editor.h"
#include "run/checkelement.h"
#include "run/customoutputtextedit.h"
#include "run/runconfigurationwidget.h"
#include "run/runrecord.h"
#include "syntax/syntaxanalyzer.h"
#include "tests/support/dialoganswer.h"
#include "tests/support/examplerun.h"
#include "tests/support/processstate.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

// Runs the stand-in simulation program for real on copies of an example driving file.
class TestSimulationRun : public QObject
{
    Q_OBJECT

private:
    static QString standIn(const QString &name)
    {
        return QStringLiteral(VORPEN_BINARY_DIR "/standins/") + name;
    }

    static QString readAll(const QString &path) { return readWholeFile(path); }

    QString drivingFile(const QString &folder, const QString &resultName, bool faulty = false)
    {
        return writeExampleRun(dir.filePath(folder), resultName, faulty);
    }

    EditorTabs *openPage(const QString &path)
    {
        editor->loadFile(path, false);
        const int index = editor->tabWidget->count() - 1;
        editor->slotChangeTab(index);
        EditorTabs *page = editor->currentTab;
        page->configuration.simulationExecutable = standIn(QStringLiteral("ZELMORA_TQ"));
        return page;
    }

    bool waitIdle(EditorTabs *page, int timeoutMs = 15000)
    {
        QElapsedTimer clock;
        clock.start();
        while ((page->monitoring || page->jobId >= 0) && clock.elapsed() < timeoutMs)
            QTest::qWait(50);
        return !page->monitoring && page->jobId < 0;
    }

    CheckElement *entry(EditorTabs *page, const QString &label)
    {
        for (CheckElement *element : qAsConst(page->checkElements)) {
            if (element->label == label)
                return element;
        }
        return nullptr;
    }

    QString screenText(EditorTabs *page)
    {
        for (int i = 0; i < page->outputTabs->count(); ++i) {
            if (page->outputTabs->tabText(i).endsWith(QLatin1String(".scr")))
                return qobject_cast<QTextEdit *>(page->outputTabs->widget(i))->toPlainText();
        }
        return QString();
    }

    void closeAllPages()
    {
        while (editor->tabWidget->count() > 0) {
            EditorTabs *page = static_cast<EditorTabs *>(editor->tabWidget->widget(0));
            if (page->jobId >= 0)
                editor->killProcess(page);
            page->docState = 1;
            editor->slotCloseTab(0);
        }
    }

    QTemporaryDir dir;
    Editor *editor = nullptr;

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void fullRunFollowsTheScreenFile();
    void endMarkersStopTheRun_data();
    void endMarkersStopTheRun();
    void pauseThenContinue();
    void killingAnotherPagesRun();
    void runEndingBehindTheCurrentPage();
    void screenAfterTheRun_data();
    void screenAfterTheRun();
    void overwriteQuestion();
    void emptySimulationName();
    void programThatCannotBeExecuted();
    void unwritableResults_data();
    void unwritableResults();
    void vtkPatternGoesToTheDisplayTool();
    void automaticRefreshStopsWithoutScreenFile();
    void runConfigurationViewReadsTheCurrentText();
    void automaticRefreshFollowsAForeignRun();
    void resultEntriesFollowTheDirectory();
    void resultNameLeavingTheFolder();
    void screenFileThatIsTheDrivingFile();
    void folderWithBlanksAndUmlauts();
    void zelmoraBinPointingNowhere();
    void runRecordNamesALiveRunToALaterStart();
};

void TestSimulationRun::initTestCase()
{
    Q_INIT_RESOURCE(MyRes);
    QVERIFY(dir.isValid());
    QVERIFY(QFileInfo(standIn(QStringLiteral("ZELMORA_TQ"))).isExecutable());
    editor = new Editor(dir.filePath(QStringLiteral("rc")));
}

void TestSimulationRun::init()
{
    for (const char *knob : {"ZELMORA_STANDIN_HANG", "ZELMORA_STANDIN_KEY", "ZELMORA_STANDIN_FAIL",
                             "ZELMORA_STANDIN_ECHO_DELAY"})
        qunsetenv(knob);
    qputenv("ZELMORA_STANDIN_STEPS", "3");
    qputenv("ZELMORA_STANDIN_DELAY", "50");
}

void TestSimulationRun::cleanup()
{
    closeAllPages();
}

void TestSimulationRun::cleanupTestCase()
{
    delete editor;
}

void TestSimulationRun::fullRunFollowsTheScreenFile()
{
    qputenv("ZELMORA_STANDIN_STEPS", "10");
    qputenv("ZELMORA_STANDIN_DELAY", "300");
    const QString path = drivingFile(QStringLiteral("full"), QStringLiteral("Results/deep/Test"));
    EditorTabs *page = openPage(path);
    QVERIFY(!QDir(dir.filePath(QStringLiteral("full/Results"))).exists());

    editor->slotRun();
    QCOMPARE(page->jobId, 0);
    QVERIFY(page->monitoring);
    QVERIFY(!editor->startButton->isEnabled());
    QVERIFY(editor->pauseButton->isEnabled());
    QVERIFY(editor->killAction->isEnabled());
    const Job *job = editor->jobs.getJob(0);
    QVERIFY(job && job->pid > 0);
    QCOMPARE(editor->tabWidget->tabToolTip(editor->tabWidget->indexOf(page)),
             path + QStringLiteral("\nattached job pid: ") + QString::number(job->pid));
    QCOMPARE(page->resultDir, dir.filePath(QStringLiteral("full/Results/deep")));

    // The timer shows the output while the run goes on.
    QTRY_VERIFY_WITH_TIMEOUT(
        screenText(page).contains(QLatin1String("Beginning of initialisation")), 5000);
    QVERIFY(page->jobId == 0);
    CheckElement *screen = entry(page, QStringLiteral("scr"));
    QVERIFY(screen && screen->ticked && screen->checkBox->isChecked());
    QCOMPARE(page->outputTabs->tabText(0), QStringLiteral("Test.scr"));

    QVERIFY(waitIdle(page));
    QVERIFY(screenText(page).contains(QLatin1String("Wall clock time")));
    QVERIFY(editor->startButton->isEnabled());
    QVERIFY(!editor->pauseButton->isEnabled());
    QVERIFY(!editor->killButton->isEnabled());
    QCOMPARE(editor->tabWidget->tabToolTip(editor->tabWidget->indexOf(page)), path);
    QVERIFY(editor->jobs.jobs.isEmpty());
    QVERIFY(entry(page, QStringLiteral("log")));

    // With the list empty again, the next job is 0 again.
    qputenv("ZELMORA_STANDIN_DELAY", "50");
    editor->slotRun(true);
    QCOMPARE(page->jobId, 0);
    QVERIFY(waitIdle(page));
}

void TestSimulationRun::endMarkersStopTheRun_data()
{
    QTest::addColumn<QByteArray>("knob");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<bool>("killedByEditor");

    QTest::newRow("wall clock time") << QByteArray() << QByteArray() << "Wall clock time" << false;
    QTest::newRow("key wait after the input")
        << QByteArray("ZELMORA_STANDIN_KEY") << QByteArray("input") << "Press any key" << true;
    QTest::newRow("key wait after the last step")
        << QByteArray("ZELMORA_STANDIN_KEY") << QByteArray("run") << "Press any key" << true;
    QTest::newRow("stop in routine")
        << QByteArray("ZELMORA_STANDIN_FAIL") << QByteArray("stop") << "STOP in routine" << false;
    QTest::newRow("message") << QByteArray("ZELMORA_STANDIN_FAIL") << QByteArray("message")
                             << "MESSAGE" << false;
}

void TestSimulationRun::endMarkersStopTheRun()
{
    QFETCH(QByteArray, knob);
    QFETCH(QByteArray, value);
    QFETCH(QString, marker);
    QFETCH(bool, killedByEditor);
    if (!knob.isEmpty())
        qputenv(knob.constData(), value);
    EditorTabs *page = openPage(drivingFile(QStringLiteral("markers"), QStringLiteral("Out/Test")));
    editor->slotRun(true);
    QVERIFY(page->jobId >= 0);
    // A key wait never ends by itself: only the editor's kill makes the page idle.
    QVERIFY(waitIdle(page, 12000));
    const QString screen = readAll(page->screenFile);
    QVERIFY2(screen.contains(marker), qPrintable(screen));
    // After a key the stand-in would go on to the wall clock line: no key came, a kill did.
    if (killedByEditor)
        QVERIFY(!screen.contains(QLatin1String("Wall clock time")));
    QVERIFY(editor->jobs.jobs.isEmpty());
}

void TestSimulationRun::pauseThenContinue()
{
    qputenv("ZELMORA_STANDIN_STEPS", "200");
    qputenv("ZELMORA_STANDIN_DELAY", "100");
    EditorTabs *page = openPage(drivingFile(QStringLiteral("pause"), QStringLiteral("Out/Test")));
    editor->slotRun(true);
    const int pid = editor->jobs.getJob(page->jobId)->pid;
    QVERIFY(pid > 0);

    editor->slotSuspend();
    QTRY_COMPARE(processState(pid), 'T');
    QVERIFY(page->paused);
    QCOMPARE(editor->pauseButton->text(), QStringLiteral("Continue"));

    editor->slotSuspend();
    QTRY_VERIFY(processState(pid) != 'T');
    QVERIFY(!page->paused);
    QCOMPARE(editor->pauseButton->text(), QStringLiteral("Pause"));

    // A suspended process is killed as well.
    editor->slotSuspend();
    QTRY_COMPARE(processState(pid), 'T');
    editor->slotKill();
    QVERIFY(waitIdle(page, 1000));
    QCOMPARE(editor->pauseButton->text(), QStringLiteral("Pause"));
    QVERIFY(!editor->pauseButton->isEnabled());
    QVERIFY(editor->startAction->isEnabled());
    QTRY_VERIFY(!QFile::exists(QStringLiteral("/proc/%1").arg(pid)));
}

void TestSimulationRun::killingAnotherPagesRun()
{
    qputenv("ZELMORA_STANDIN_HANG", "run");
    EditorTabs *first = openPage(drivingFile(QStringLiteral("first"), QStringLiteral("Out/A")));
    editor->slotRun(true);
    EditorTabs *second = openPage(drivingFile(QStringLiteral("second"), QStringLiteral("Out/B")));
    editor->slotRun(true);
    QCOMPARE(editor->currentTab, second);
    const int firstPid = editor->jobs.getJob(first->jobId)->pid;
    const int secondPid = editor->jobs.getJob(second->jobId)->pid;

    editor->killProcess(first);
    QVERIFY(waitIdle(first, 1000));
    QTRY_VERIFY(!QFile::exists(QStringLiteral("/proc/%1").arg(firstPid)));
    QVERIFY(second->monitoring);
    QVERIFY(QFile::exists(QStringLiteral("/proc/%1").arg(secondPid)));
    // The page on screen still runs, so its controls stay as they were.
    QVERIFY(editor->killButton->isEnabled());
    QVERIFY(!editor->startButton->isEnabled());

    editor->slotKill();
    QVERIFY(waitIdle(second, 1000));
}

void TestSimulationRun::runEndingBehindTheCurrentPage()
{
    qputenv("ZELMORA_STANDIN_DELAY", "200");
    EditorTabs *behind = openPage(drivingFile(QStringLiteral("behind"), QStringLiteral("Out/A")));
    editor->slotRun(true);
    qputenv("ZELMORA_STANDIN_HANG", "run");
    EditorTabs *front = openPage(drivingFile(QStringLiteral("front"), QStringLiteral("Out/B")));
    editor->slotRun(true);
    QVERIFY(waitIdle(behind));
    QVERIFY(front->monitoring);
    QVERIFY(editor->killButton->isEnabled());
    QVERIFY(editor->pauseButton->isEnabled());
    QVERIFY(!editor->startButton->isEnabled());
    editor->slotKill();
    QVERIFY(waitIdle(front, 1000));
}

void TestSimulationRun::screenAfterTheRun_data()
{
    QTest::addColumn<bool>("faulty");
    QTest::newRow("finished run") << false;
    QTest::newRow("refused line selected in view") << true;
}

// The run is started with a click, as a user does; its end must leave the keyboard in the
// editor, a refused line visible above the output that the run brought up, and that output
// the room of its panel.
void TestSimulationRun::screenAfterTheRun()
{
    QFETCH(bool, faulty);
    const QString folder = faulty ? QStringLiteral("faulty") : QStringLiteral("focus");
    EditorTabs *page = openPage(drivingFile(folder, QStringLiteral("Out/Test"), faulty));
    editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    page->textEdit->setFocus();
    QTest::mouseClick(editor->startButton, Qt::LeftButton);
    QVERIFY(page->jobId >= 0);
    QVERIFY(waitIdle(page));
    QTRY_VERIFY(page->outputPanel->isVisible());
    QTest::qWait(100);
    QCOMPARE(QApplication::focusWidget(), page->textEdit);
    QVERIFY(page->outputTabs->height() > page->resultBox->height());
    const auto *results = page->resultBox->findChild<QScrollArea *>();
    QVERIFY(results->viewport()->height() <= results->widget()->sizeHint().height());
    if (!faulty)
        return;
    QVERIFY(readAll(page->screenFile).contains(QLatin1String("nput error"), Qt::CaseInsensitive));
    const QTextCursor cursor = page->textEdit->textCursor();
    QCOMPARE(cursor.selectedText().trimmed(), QStringLiteral("twenty"));
    QVERIFY(page->textEdit->viewport()->rect().contains(page->textEdit->cursorRect()));
}

void TestSimulationRun::overwriteQuestion()
{
    EditorTabs *page = openPage(drivingFile(QStringLiteral("again"), QStringLiteral("Out/Test")));
    editor->slotRun();
    QVERIFY(waitIdle(page));
    QFile screen(page->screenFile);
    QVERIFY(screen.open(QIODevice::WriteOnly | QIODevice::Truncate));
    screen.write("former results\n");
    screen.close();

    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("No"));
    editor->slotRun();
    QVERIFY(seen.shown);
    QCOMPARE(seen.title, QStringLiteral("Result file overwrite"));
    QVERIFY(!page->monitoring);
    QCOMPARE(page->jobId, -1);
    QCOMPARE(readAll(page->screenFile), QStringLiteral("former results\n"));

    SeenDialog yes;
    clickInNextDialog(&yes, QStringLiteral("Yes"));
    editor->slotRun();
    QVERIFY(yes.shown);
    QVERIFY(waitIdle(page));
    QVERIFY(readAll(page->screenFile).contains(QLatin1String("Wall clock time")));
    QVERIFY(!readAll(page->screenFile).contains(QLatin1String("former results")));
}

void TestSimulationRun::emptySimulationName()
{
    EditorTabs *page = openPage(drivingFile(QStringLiteral("noname"), QStringLiteral("Out/")));
    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    editor->slotRun();
    QCOMPARE(seen.title, QStringLiteral("Empty Simulation Name"));
    QVERIFY(!page->monitoring);
    QVERIFY(!page->autoSelectScreen);
    QCOMPARE(page->jobId, -1);
    QVERIFY(!QDir(dir.filePath(QStringLiteral("noname/Out"))).exists());
}

void TestSimulationRun::programThatCannotBeExecuted()
{
    const QString program = dir.filePath(QStringLiteral("not_a_program"));
    QFile file(program);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("plain text, no interpreter line\n");
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    EditorTabs *page = openPage(drivingFile(QStringLiteral("noexec"), QStringLiteral("Out/Test")));
    page->configuration.simulationExecutable = program;
    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    editor->slotRun(true);
    QCOMPARE(seen.title, QStringLiteral("No executable ZELMORA Binary"));
    QVERIFY(!page->monitoring);
    QCOMPARE(page->jobId, -1);
    QVERIFY(editor->jobs.jobs.isEmpty());
    QVERIFY(editor->startButton->isEnabled());
    QVERIFY(!editor->killButton->isEnabled());
}

void TestSimulationRun::unwritableResults_data()
{
    QTest::addColumn<QString>("blocker");
    QTest::addColumn<QString>("resultName");

    // Runs as any user, root included: a file where a folder must go cannot be written.
    QTest::newRow("directory cannot be created") << "Out"
                                                 << "Out/sub/Test";
    QTest::newRow("screen file cannot be opened") << "Out/Test.scr/x"
                                                  << "Out/Test";
}

void TestSimulationRun::unwritableResults()
{
    QFETCH(QString, blocker);
    QFETCH(QString, resultName);
    const QString path = drivingFile(QStringLiteral("blocked"), resultName);
    const QString blockerPath = dir.filePath(QStringLiteral("blocked/") + blocker);
    QDir().mkpath(QFileInfo(blockerPath).path());
    QFile(blockerPath).open(QIODevice::WriteOnly);
    EditorTabs *page = openPage(path);
    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    editor->slotRun(true);
    QCOMPARE(seen.title, QStringLiteral("Write permissions"));
    QVERIFY(seen.text.contains(page->resultDir));
    QVERIFY(!page->monitoring);
    QCOMPARE(page->jobId, -1);
    QVERIFY(editor->jobs.jobs.isEmpty());
}

void TestSimulationRun::vtkPatternGoesToTheDisplayTool()
{
    EditorTabs *page = openPage(drivingFile(QStringLiteral("vtk"), QStringLiteral("Out/Test")));
    editor->slotRun();
    QVERIFY(waitIdle(page));
    QFile(page->resultDir + QStringLiteral("/Test_conc.vtk")).open(QIODevice::WriteOnly);
    editor->buildResultSelection();
    CheckElement *vtk = entry(page, QStringLiteral("vtk"));
    QVERIFY(vtk);
    QCOMPARE(vtk->resultFile, QStringLiteral("Test_....vtk"));
    QVERIFY(page->displayButton);
    vtk->checkBox->setChecked(true);
    CheckElement *phase = entry(page, QStringLiteral("phas"));
    QVERIFY(phase);
    phase->checkBox->setChecked(true);

    const QString record = dir.filePath(QStringLiteral("display.txt"));
    qputenv("DP_ZELMORA_RECORD", record.toUtf8());
    qputenv("DP_ZELMORA_CLOSE_MS", "100");
    page->configuration.displayTool = standIn(QStringLiteral("DP_ZELMORA.sh"));
    page->displayButton->click();
    QTRY_VERIFY_WITH_TIMEOUT(!readAll(record).isEmpty(), 10000);
    QCOMPARE(readAll(record), page->resultDir + QStringLiteral("/Test.phas\n") + page->resultDir +
                                  QStringLiteral("/Test_conc.vtk\n"));
    QCOMPARE(editor->configuration->displayTool, page->configuration.displayTool);
}

void TestSimulationRun::automaticRefreshStopsWithoutScreenFile()
{
    EditorTabs *page = openPage(drivingFile(QStringLiteral("auto"), QStringLiteral("None/Test")));
    editor->autoRefreshAction->setChecked(true);
    QVERIFY(page->monitoring);
    QTRY_VERIFY_WITH_TIMEOUT(!page->monitoring, 4000);
    QVERIFY(!editor->autoRefreshAction->isChecked());
    QVERIFY(!QDir(dir.filePath(QStringLiteral("auto/None"))).exists());
}

void TestSimulationRun::runConfigurationViewReadsTheCurrentText()
{
    EditorTabs *page = openPage(drivingFile(QStringLiteral("view"), QStringLiteral("Out/Test")));
    QString text = page->textEdit->toPlainText();
    text.replace(QLatin1String("Out/Test"), QLatin1String("Elsewhere/Other"));
    page->textEdit->setPlainText(text);

    // Moved to the front, the page is still recognised by its text.
    page->interfaceTabs->tabBar()->moveTab(1, 0);
    QCOMPARE(page->interfaceTabs->tabText(0), QStringLiteral("Run Configuration"));
    page->interfaceTabs->setCurrentIndex(0);
    page->setupOutputLocation();
    QCOMPARE(page->simName, QStringLiteral("Other"));
    QVERIFY(page->runConfiguration->executableBox->count() > 0);
    QCOMPARE(page->runConfiguration->tabConfiguration, &page->configuration);
}

void TestSimulationRun::automaticRefreshFollowsAForeignRun()
{
    qputenv("ZELMORA_STANDIN_KEY", "run");
    const QString path = drivingFile(QStringLiteral("foreign"), QStringLiteral("Out/Test"));
    EditorTabs *page = openPage(path);
    QDir().mkpath(page->resultDir);
    QProcess foreign;
    foreign.setStandardOutputFile(page->screenFile);
    foreign.start(standIn(QStringLiteral("ZELMORA_TQ")), {path, QStringLiteral("-noswitch")});
    QVERIFY(foreign.waitForStarted());

    editor->autoRefreshAction->setChecked(true);
    QVERIFY(page->monitoring);
    // The screen file appeared after loading, so the user ticks it.
    QVERIFY(entry(page, QStringLiteral("scr")));
    entry(page, QStringLiteral("scr"))->checkBox->setChecked(true);
    QTRY_VERIFY_WITH_TIMEOUT(!page->monitoring, 8000);
    QVERIFY(screenText(page).contains(QLatin1String("Press any key")));
    // Following stops; a process the editor did not start is left alone.
    QCOMPARE(foreign.state(), QProcess::Running);
    foreign.kill();
    foreign.waitForFinished();
}

void TestSimulationRun::resultEntriesFollowTheDirectory()
{
    EditorTabs *page = openPage(drivingFile(QStringLiteral("entries"), QStringLiteral("Out/Test")));
    editor->slotRun();
    QVERIFY(waitIdle(page));
    for (const QString &label : {QStringLiteral("log"), QStringLiteral("TabF")}) {
        QVERIFY(entry(page, label));
        entry(page, label)->checkBox->setChecked(true);
    }
    QCOMPARE(page->outputTabs->count(), 3);

    QVERIFY(QFile::remove(page->resultDir + QStringLiteral("/Test.log")));
    editor->buildResultSelection();
    QVERIFY(!entry(page, QStringLiteral("log")));
    QStringList titles;
    for (int i = 0; i < page->outputTabs->count(); ++i)
        titles << page->outputTabs->tabText(i);
    QCOMPARE(titles, QStringList({QStringLiteral("Test.TabF"), QStringLiteral("Test.scr")}));

    entry(page, QStringLiteral("TabF"))->checkBox->setChecked(false);
    QCOMPARE(page->outputTabs->count(), 1);
    QCOMPARE(page->outputTabs->tabText(0), QStringLiteral("Test.scr"));
}

// Results may live beside the driving file's folder; the run goes where the name leads.
void TestSimulationRun::resultNameLeavingTheFolder()
{
    const QString path =
        drivingFile(QStringLiteral("inside/deeper"), QStringLiteral("../../outside/Test"));
    const QString before = readAll(path);
    EditorTabs *page = openPage(path);
    editor->slotRun();
    QVERIFY(waitIdle(page));
    QCOMPARE(QDir(page->resultDir).canonicalPath(),
             QDir(dir.filePath(QStringLiteral("outside"))).canonicalPath());
    QVERIFY(readAll(dir.filePath(QStringLiteral("outside/Test.scr")))
                .contains(QLatin1String("Wall clock time")));
    QCOMPARE(readAll(path), before);
}

void TestSimulationRun::screenFileThatIsTheDrivingFile()
{
    const QString written = drivingFile(QStringLiteral("self"), QStringLiteral("Test"));
    const QString path = dir.filePath(QStringLiteral("self/Test.scr"));
    QVERIFY(QFile::rename(written, path));
    const QString before = readAll(path);
    EditorTabs *page = openPage(path);
    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    editor->slotRun(true);
    QCOMPARE(seen.title, QStringLiteral("Driving file overwrite"));
    QVERIFY(seen.text.contains(page->screenFile));
    QVERIFY(!page->monitoring);
    QCOMPARE(page->jobId, -1);
    QCOMPARE(readAll(path), before);
}

void TestSimulationRun::folderWithBlanksAndUmlauts()
{
    const QString path = drivingFile(QStringLiteral("mit Leerzeichen/Gr\u00f6\u00dfe \u00b5m"),
                                     QStringLiteral("Ergebnisse/Test"));
    EditorTabs *page = openPage(path);
    editor->slotRun();
    QVERIFY(waitIdle(page));
    QVERIFY(readAll(page->screenFile).contains(QLatin1String("Wall clock time")));
    QVERIFY(screenText(page).contains(QLatin1String("Wall clock time")));
    QVERIFY(entry(page, QStringLiteral("log")));
}

void TestSimulationRun::zelmoraBinPointingNowhere()
{
    const QByteArray saved = qgetenv("ZELMORA_Bin");
    const QString nowhere = dir.filePath(QStringLiteral("nowhere"));
    qputenv("ZELMORA_Bin", nowhere.toLocal8Bit());
    delete editor;
    editor = new Editor(dir.filePath(QStringLiteral("fresh_rc")));
    if (saved.isNull())
        qunsetenv("ZELMORA_Bin");
    else
        qputenv("ZELMORA_Bin", saved);
    QCOMPARE(editor->configuration->simulationExecutable, nowhere + QStringLiteral("/ZELMORA_TQ"));
    QCOMPARE(editor->configuration->displayTool, nowhere + QStringLiteral("/DP_ZELMORA.sh"));

    const QString path = drivingFile(QStringLiteral("unset"), QStringLiteral("Out/Test"));
    const QString before = readAll(path);
    editor->loadFile(path, false);
    editor->slotChangeTab(editor->tabWidget->count() - 1);
    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    editor->slotRun();
    QCOMPARE(seen.title, QStringLiteral("Missing ZELMORA"));
    QVERIFY(editor->jobs.jobs.isEmpty());
    QVERIFY(!QDir(dir.filePath(QStringLiteral("unset/Out"))).exists());
    QCOMPARE(readAll(path), before);
}

void TestSimulationRun::runRecordNamesALiveRunToALaterStart()
{
    qputenv("ZELMORA_STANDIN_STEPS", "1000");
    const QString path = drivingFile(QStringLiteral("live"), QStringLiteral("Out/Test"));
    EditorTabs *first = openPage(path);
    editor->slotRun();
    const Job *job = editor->jobs.getJob(first->jobId);
    QVERIFY(job);
    RunRecord record;
    QVERIFY(liveRunOf(first->screenFile, record));
    QCOMPARE(record.pid, qint64(job->pid));
    QCOMPARE(record.drivingFile, path);

    // As an editor started after the first one died would see it.
    EditorTabs *second = openPage(path);
    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("Cancel"));
    editor->slotRun();
    QCOMPARE(seen.title, QStringLiteral("Simulation still running"));
    QVERIFY(seen.text.contains(QString::number(job->pid)));
    QCOMPARE(second->jobId, -1);

    editor->killProcess(first);
    QVERIFY(!QFile::exists(runRecordFile(first->screenFile)));
}

QTEST_MAIN(TestSimulationRun)
#include "test_simulationrun.moc"
