// Help while typing: the parameter under the cursor, the live error marker, keyword completion
// and the line numbers, driven through the real main window.
#include "app/config/configuration.h"
#include "app/live/analysisworker.h"
#include "app/live/liveanalysis.h"
#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/text/customtextedit.h"
#include "app/text/linenumberarea.h"
#include "app/window/editor.h"
#include "tests/support/dialoganswer.h"
#include "tests/support/dropevent.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSemaphore>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

namespace {

const QString grainGrowth = QStringLiteral(VORPEN_SOURCE_DIR "/examples/grain_growth_2d_dri.txt");
const QString seedTypes64 =
    QStringLiteral(VORPEN_SOURCE_DIR "/examples/nucleation_seed_types_v64_dri.txt");

QTextCursor lineCursor(QTextEdit *edit, int line)
{
    return QTextCursor(edit->document()->findBlockByNumber(line));
}

// Counts the paint events a widget gets.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }

    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

} // namespace

class TestLiveEditing : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void statusBarNamesParameterUnderCursor();
    void statusBarFollowsTheOpenedPage_data();
    void statusBarFollowsTheOpenedPage();
    void toolTipExplainsToken();
    void markerFollowsBreakingAndRepairingEdits();
    void shownResultStaysWhileTheWorkerIsBusy();
    void endOfFileVerdictAndJumpToMarkedLine();
    void completionOffersCouplingKeywords();
    void completionNamesParameterWithoutKeywords();
    void lineNumbersFollowScrollAndFont();
    void lineNumbersRepaintOnlyWhenTheyChange_data();
    void lineNumbersRepaintOnlyWhenTheyChange();
    void openedFileShowsTheAnalysisOfItsPage();

private:
    QString statusText(const char *name) const;
    void waitForAnalysis();
    void openAndShow(const QString &path);

    QTemporaryDir home;
    Editor *editor = nullptr;
    EditorTabs *page = nullptr;
    CustomTextEdit *edit = nullptr;
};

void TestLiveEditing::initTestCase()
{
    Q_INIT_RESOURCE(MyRes);
    qputenv("HOME", home.path().toLocal8Bit());
    editor = new Editor(home.filePath(QStringLiteral(".vorpenrc7000")));
    editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(editor));
}

void TestLiveEditing::cleanupTestCase()
{
    delete editor;
}

void TestLiveEditing::init()
{
    openAndShow(grainGrowth);
    QCOMPARE(statusText("liveVerdict"), QString("valid 7.0"));
}

// Opens a file in a page of its own, shows that page and waits for its live analysis.
void TestLiveEditing::openAndShow(const QString &path)
{
    QVERIFY(editor->loadFile(path, false));
    editor->tabWidget->setCurrentIndex(editor->tabWidget->count() - 1);
    page = editor->currentTab;
    edit = page->textEdit;
    waitForAnalysis();
}

QString TestLiveEditing::statusText(const char *name) const
{
    auto *label = editor->statusBar()->findChild<QLabel *>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("no label");
}

void TestLiveEditing::waitForAnalysis()
{
    QTRY_VERIFY_WITH_TIMEOUT(page->liveAnalysis->isUpToDate(), 20000);
}

void TestLiveEditing::statusBarNamesParameterUnderCursor()
{
    edit->setTextCursor(lineCursor(edit, 12));
    QVERIFY(statusText("parameterAtCursor").startsWith("Line 13: Write Mode (string) in "));
    QVERIFY(statusText("parameterAtCursor").contains("| WriteModeOptions ("));
    edit->setTextCursor(lineCursor(edit, 32));
    QVERIFY(statusText("parameterAtCursor").startsWith("Line 33: TypeOfCoupling ("));
    QVERIFY(statusText("parameterAtCursor").contains("options: phase, concentration"));
    edit->setTextCursor(lineCursor(edit, 31));
    QCOMPARE(statusText("parameterAtCursor"), QString());
}

void TestLiveEditing::statusBarFollowsTheOpenedPage_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("File > Open") << "open";
    QTest::newRow("Recent Files") << "recent";
    QTest::newRow("drop on the editor") << "drop";
}

// Each way of opening shows the new page, and the status bar must describe that page.
void TestLiveEditing::statusBarFollowsTheOpenedPage()
{
    QFETCH(QString, way);
    const int opened = editor->tabWidget->count();
    if (way == "open") {
        SeenDialog seen;
        onNextDialog(&seen, [](QDialog *dialog) {
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText(seedTypes64);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        editor->slotOpen();
    } else if (way == "recent") {
        editor->configuration->isRecent(seedTypes64);
        editor->updateRecentMenu();
        for (QAction *action : editor->recentMenu->actions()) {
            if (action->data().toString() == seedTypes64) {
                action->trigger();
                break;
            }
        }
    } else {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(seedTypes64)});
        QVERIFY(dropOn(edit->viewport(), &data));
    }
    QCOMPARE(editor->tabWidget->currentIndex(), opened);
    page = editor->currentTab;
    edit = page->textEdit;
    waitForAnalysis();
    QCOMPARE(statusText("liveVerdict"), QString("valid 6.4"));

    int line = 0;
    while (page->liveAnalysis->parametersAtLine(line).isEmpty())
        ++line;
    edit->setTextCursor(lineCursor(edit, line));
    QCOMPARE(statusText("parameterAtCursor"),
             QString("Line %1: %2").arg(line + 1).arg(page->liveAnalysis->parametersAtLine(line)));
}

void TestLiveEditing::toolTipExplainsToken()
{
    QVERIFY(page->liveAnalysis->toolTipAt(12, 1).startsWith("Write Mode (string)"));
    QVERIFY(page->liveAnalysis->toolTipAt(12, 11).startsWith("WriteModeOptions ("));
    QCOMPARE(page->liveAnalysis->toolTipAt(11, 3), QString());
    // A line edited since the analysis is not explained with stale facts.
    lineCursor(edit, 12).insertText("no_");
    QCOMPARE(page->liveAnalysis->toolTipAt(12, 1), QString());
}

void TestLiveEditing::markerFollowsBreakingAndRepairingEdits()
{
    QVERIFY(edit->extraSelections().isEmpty());
    QCOMPARE(page->liveAnalysis->markedLine(), -1);

    lineCursor(edit, 12).insertText("x");
    waitForAnalysis();
    QCOMPARE(statusText("liveVerdict"), QString("error in line 13: Parameter = Write Mode"));
    QCOMPARE(page->liveAnalysis->markedLine(), 12);
    QCOMPARE(edit->extraSelections().value(0).cursor.blockNumber(), 12);
    const QString facts = page->liveAnalysis->toolTipAt(12, 0);
    QVERIFY(facts.startsWith("Parameter = Write Mode\nType = string\n"));
    QVERIFY(facts.contains("Given input =  xoverwrite vtk\n"));
    QVERIFY(facts.endsWith("did you mean \"overwrite\"?"));
    edit->setTextCursor(lineCursor(edit, 12));
    QVERIFY(
        statusText("parameterAtCursor").startsWith("Line 13: expected: Write Mode (string) in "));

    // Lines inserted above carry the marker down at once and the verdict after the analysis.
    lineCursor(edit, 0).insertText("# a\n# b\n");
    QCOMPARE(edit->extraSelections().value(0).cursor.blockNumber(), 14);
    waitForAnalysis();
    QCOMPARE(statusText("liveVerdict"), QString("error in line 15: Parameter = Write Mode"));

    QTextCursor repair = lineCursor(edit, 14);
    repair.deleteChar();
    waitForAnalysis();
    QCOMPARE(statusText("liveVerdict"), QString("valid 7.0"));
    QVERIFY(edit->extraSelections().isEmpty());
    QCOMPARE(page->liveAnalysis->markedLine(), -1);
}

// The analysis of an edit waits behind other work on the worker; until it ends, the status bar
// describes the text with the result shown before, and then with the new one.
void TestLiveEditing::shownResultStaysWhileTheWorkerIsBusy()
{
    QSemaphore held;
    QObject holder;
    AnalysisWorker &worker = AnalysisWorker::shared();
    const quint64 holding = worker.run([&held] { held.acquire(); }, &holder, [] {});
    {
        // Let go of the worker also when a check fails.
        const auto letGo = qScopeGuard([&] {
            held.release();
            worker.waitFor(holding);
        });
        edit->setTextCursor(lineCursor(edit, 32));
        lineCursor(edit, 12).insertText("x");
        QTest::qWait(2 * LiveAnalysis::debounceMs);
        QVERIFY(!page->liveAnalysis->isUpToDate());
        QCOMPARE(statusText("liveVerdict"), QString("valid 7.0"));
        QVERIFY(statusText("parameterAtCursor").startsWith("Line 33: TypeOfCoupling ("));
        QCOMPARE(page->liveAnalysis->parametersAtLine(12), QString());
    }
    waitForAnalysis();
    QCOMPARE(statusText("liveVerdict"), QString("error in line 13: Parameter = Write Mode"));
    QCOMPARE(page->liveAnalysis->markedLine(), 12);
    QVERIFY(page->liveAnalysis->toolTipAt(12, 0).contains("Given input =  xoverwrite vtk\n"));
}

void TestLiveEditing::endOfFileVerdictAndJumpToMarkedLine()
{
    QTextCursor cut = lineCursor(edit, 32);
    cut.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cut.removeSelectedText();
    waitForAnalysis();
    QCOMPARE(statusText("liveVerdict"), QString("end of file reached: TypeOfCoupling expected"));
    // The last line holding anything carries the marker.
    QCOMPARE(page->liveAnalysis->markedLine(), 31);

    edit->setTextCursor(lineCursor(edit, 0));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_J, Qt::ControlModifier);
    QCOMPARE(edit->textCursor().blockNumber(), 31);
    QCOMPARE(edit->textCursor().selectedText(), QString("# Coupled fields"));
    QVERIFY(statusText("parameterAtCursor").startsWith("Line 32: expected: TypeOfCoupling ("));
}

void TestLiveEditing::completionOffersCouplingKeywords()
{
    QTextCursor line = lineCursor(edit, 32);
    line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    line.removeSelectedText();
    edit->setTextCursor(line);
    editor->activateWindow();
    edit->setFocus();
    // Ctrl+Space stays with "Refresh Results".
    QTest::keyClick(edit, Qt::Key_Space, Qt::ControlModifier | Qt::ShiftModifier);
    QMenu *menu = edit->findChild<QMenu *>("keywordCompletion");
    QVERIFY(menu);
    QStringList offered;
    QAction *concentration = nullptr;
    for (QAction *action : menu->actions()) {
        offered << action->text();
        if (action->text() == "concentration")
            concentration = action;
    }
    QVERIFY(offered.at(0).startsWith("TypeOfCoupling ("));
    QCOMPARE(offered.mid(1, 3), QStringList({"phase", "concentration", "temperature"}));
    QVERIFY(concentration);
    concentration->trigger();
    menu->close();
    QCOMPARE(edit->document()->findBlockByNumber(32).text(), QString("concentration"));

    // A word begun narrows the choice and is replaced by it.
    line = lineCursor(edit, 32);
    line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    line.insertText("tem");
    edit->setTextCursor(line);
    editor->slotCompleteKeyword();
    menu = edit->findChildren<QMenu *>("keywordCompletion").last();
    offered.clear();
    for (QAction *action : menu->actions())
        offered << action->text();
    QCOMPARE(offered.mid(1), QStringList({"temperature", "temp_cyl_coord"}));
    // Two short keywords alone would make the pop-up narrower than its header.
    QVERIFY(menu->width() > menu->fontMetrics().horizontalAdvance(offered.at(0)));
    menu->actions().at(1)->trigger();
    menu->close();
    QCOMPARE(edit->document()->findBlockByNumber(32).text(), QString("temperature"));
}

void TestLiveEditing::completionNamesParameterWithoutKeywords()
{
    // Line 24 holds the number of cells in x; the context menu offers the completion.
    edit->setTextCursor(lineCursor(edit, 23));
    editor->editorContextMenue(QPoint(2, 2));
    QPointer<QMenu> context = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(context);
    QAction *complete = nullptr;
    for (QAction *action : context->actions()) {
        if (action->text() == "Complete Keyword")
            complete = action;
    }
    QVERIFY(complete);
    complete->trigger();
    context->close();
    QMenu *menu = edit->findChildren<QMenu *>("keywordCompletion").last();
    QCOMPARE(menu->actions().size(), 2);
    QVERIFY(menu->actions().at(0)->text().startsWith("CellsX ("));
    QVERIFY(menu->actions().at(1)->text().startsWith("CellsX expected, type "));
    QVERIFY(!menu->actions().at(1)->isEnabled());
    menu->close();

    lineCursor(edit, 5).insertText("x");
    edit->setTextCursor(lineCursor(edit, 23));
    editor->slotCompleteKeyword();
    menu = edit->findChildren<QMenu *>("keywordCompletion").last();
    QCOMPARE(menu->actions().at(0)->text(), QString("The text above has an error in line 6"));
    menu->close();
}

void TestLiveEditing::lineNumbersFollowScrollAndFont()
{
    auto *numbers = edit->findChild<LineNumberArea *>();
    QVERIFY(numbers);
    QCOMPARE(numbers->visibleNumbers().value(0).first, 1);

    edit->verticalScrollBar()->setValue(edit->verticalScrollBar()->maximum());
    const QVector<QPair<int, int>> shown = numbers->visibleNumbers();
    QCOMPARE(shown.last().first, edit->document()->blockCount());
    QVERIFY(shown.first().first > 1);
    // Each number stands level with its line of text.
    for (const QPair<int, int> &number : shown) {
        const QRect line = edit->cursorRect(lineCursor(edit, number.first - 1));
        const int lineTop = edit->viewport()->mapTo(edit, line.topLeft()).y();
        QVERIFY(qAbs(numbers->mapTo(edit, QPoint(0, number.second)).y() - lineTop) <= 2);
    }

    const int narrow = numbers->width();
    editor->slotFontSizeChanged(20);
    QVERIFY(numbers->width() > narrow);
    QCOMPARE(edit->viewport()->geometry().left(), numbers->geometry().right() + 1);
}

void TestLiveEditing::lineNumbersRepaintOnlyWhenTheyChange_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("repainted");
    QTest::newRow("a character within a line") << "character" << false;
    QTest::newRow("the cursor within its line") << "cursor in line" << false;
    QTest::newRow("a new line") << "new line" << true;
    QTest::newRow("a line separator") << "separator" << true;
    QTest::newRow("the cursor to another line") << "cursor to line" << true;
    QTest::newRow("scrolling") << "scroll" << true;
}

// Numbers that moved but were not painted again would name the wrong lines; painting them at
// every key stroke slows typing in large files.
void TestLiveEditing::lineNumbersRepaintOnlyWhenTheyChange()
{
    QFETCH(QString, change);
    QFETCH(bool, repainted);
    auto *numbers = edit->findChild<LineNumberArea *>();
    edit->setTextCursor(lineCursor(edit, 3));
    QTest::qWait(50);
    PaintCounter counter(numbers);
    QTextCursor cursor = edit->textCursor();
    if (change == "character") {
        cursor.insertText(QStringLiteral("1"));
    } else if (change == "cursor in line") {
        cursor.movePosition(QTextCursor::EndOfBlock);
        edit->setTextCursor(cursor);
    } else if (change == "new line") {
        cursor.insertText(QStringLiteral("\n"));
    } else if (change == "separator") {
        cursor.insertText(QString(QChar::LineSeparator));
    } else if (change == "cursor to line") {
        edit->setTextCursor(lineCursor(edit, 5));
    } else {
        edit->verticalScrollBar()->setValue(edit->verticalScrollBar()->value() + 3);
    }
    QTest::qWait(100);
    QCOMPARE(counter.paints > 0, repainted);
}

// A large file is analysed once on opening: the live check shows the page's own analysis, here
// the 6.4 one that won over 7.0, until the text changes.
void TestLiveEditing::openedFileShowsTheAnalysisOfItsPage()
{
    openAndShow(seedTypes64);
    QVERIFY(page->liveAnalysis->shows(page->analyzer.get()));
    QCOMPARE(statusText("liveVerdict"), QString("valid 6.4"));
    const SyntaxAnalyzer *loaded = page->analyzer.get();

    // The live analysis of the edited text becomes the page's: one tree, not two.
    edit->setTextCursor(lineCursor(edit, 0));
    edit->insertPlainText(QStringLiteral("# edited\n"));
    waitForAnalysis();
    QVERIFY(page->analyzer.get() != loaded);
    QVERIFY(page->liveAnalysis->shows(page->analyzer.get()));
    QCOMPARE(statusText("liveVerdict"), QString("valid 6.4"));
}

QTEST_MAIN(TestLiveEditing)
#include "test_liveediting.moc"
