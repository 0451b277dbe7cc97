// Files opened in the background: the page shows the text at once, and the verdict, outline,
// syntax and results follow the analysis without a second one.
#include "app/live/liveanalysis.h"
#include "app/outline/bookmarks.h"
#include "app/outline/treemodel.h"
#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/text/customtextedit.h"
#include "app/window/editor.h"
#include "syntax/syntaxanalyzer.h"

#include <QAbstractItemModel>
#include <QLabel>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

namespace {

const QString grainGrowth = QStringLiteral(VORPEN_SOURCE_DIR "/examples/grain_growth_2d_dri.txt");
const QString seedTypes64 =
    QStringLiteral(VORPEN_SOURCE_DIR "/examples/nucleation_seed_types_v64_dri.txt");

enum class During
{
    Nothing,
    Typing,
    Running,
    AnotherPageFirst
};

} // namespace

Q_DECLARE_METATYPE(During)

class TestBackgroundLoad : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void resultsFollowTheAnalysis_data();
    void resultsFollowTheAnalysis();
    void closingThePageWhileItIsAnalysed();
    void switchingTabsKeepsTheAnalysisOfUnchangedText();

private:
    EditorTabs *openInBackground(const QString &path);
    QString verdict() const;

    QTemporaryDir home;
    Editor *editor = nullptr;
};

void TestBackgroundLoad::initTestCase()
{
    Q_INIT_RESOURCE(MyRes);
    qputenv("HOME", home.path().toLocal8Bit());
}

void TestBackgroundLoad::init()
{
    editor = new Editor(home.filePath(QStringLiteral(".vorpenrc7000")));
    editor->show();
}

void TestBackgroundLoad::cleanup()
{
    delete editor;
    editor = nullptr;
}

EditorTabs *TestBackgroundLoad::openInBackground(const QString &path)
{
    if (!editor->loadFile(path, false, true))
        return nullptr;
    EditorTabs *page = editor->currentTab;
    editor->slotChangeTab(editor->tabWidget->indexOf(page));
    return page;
}

QString TestBackgroundLoad::verdict() const
{
    auto *label = editor->statusBar()->findChild<QLabel *>(QStringLiteral("liveVerdict"));
    return label ? label->text() : QString();
}

void TestBackgroundLoad::resultsFollowTheAnalysis_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<During>("during");
    QTest::addColumn<QString>("syntax");
    QTest::addColumn<QString>("verdict");

    QTest::newRow("7.0 file") << grainGrowth << During::Nothing << "ZEL_Syntax_7-0.xml"
                              << "valid 7.0";
    QTest::newRow("6.4 file wins over 7.0 on the worker")
        << seedTypes64 << During::Nothing << "ZEL_Syntax_6-4.xml"
        << "valid 6.4";
    QTest::newRow("text typed meanwhile is checked, not the loaded text")
        << grainGrowth << During::Typing << "ZEL_Syntax_7-0.xml"
        << "error in line 13: Parameter = Write Mode";
    QTest::newRow("a run set-up meanwhile waits for the simulation name")
        << grainGrowth << During::Running << "ZEL_Syntax_7-0.xml"
        << "valid 7.0";
    QTest::newRow("a page analysed after another page's gets its own verdict")
        << grainGrowth << During::AnotherPageFirst << "ZEL_Syntax_7-0.xml"
        << "valid 7.0";
}

void TestBackgroundLoad::resultsFollowTheAnalysis()
{
    QFETCH(QString, path);
    QFETCH(During, during);
    QFETCH(QString, syntax);
    QFETCH(QString, verdict);

    // Its analysis waits behind the other page's then: the pages share one worker.
    EditorTabs *other =
        during == During::AnotherPageFirst ? openInBackground(seedTypes64) : nullptr;
    EditorTabs *page = openInBackground(path);
    QVERIFY(page);
    QVERIFY(page->analysisPending());
    QVERIFY(page->textEdit->toPlainText().startsWith("# ZELMORA"));
    if (during == During::Typing)
        QTextCursor(page->textEdit->document()->findBlockByNumber(12)).insertText("x");
    if (during == During::Running) {
        page->setupOutputLocation();
        QVERIFY(!page->analysisPending());
        QVERIFY(!page->simName.isEmpty());
    }

    QTRY_VERIFY_WITH_TIMEOUT(!page->analysisPending(), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(page->liveAnalysis->isUpToDate(), 20000);
    QCOMPARE(page->syntaxFile, syntax);
    QCOMPARE(this->verdict(), verdict);
    QVERIFY(page->analyzer);
    QVERIFY(page->bookmarks->getModel()->rowCount() > 0);
    QVERIFY(!page->simName.isEmpty());
    if (other) {
        QTRY_VERIFY_WITH_TIMEOUT(other->liveAnalysis->isUpToDate(), 20000);
        QCOMPARE(other->syntaxFile, QString("ZEL_Syntax_6-4.xml"));
        QCOMPARE(other->liveAnalysis->verdict(), QString("valid 6.4"));
    }
}

void TestBackgroundLoad::closingThePageWhileItIsAnalysed()
{
    EditorTabs *page = openInBackground(seedTypes64);
    QVERIFY(page && page->analysisPending());
    const int pages = editor->tabWidget->count();
    QVERIFY(editor->slotCloseTab(editor->tabWidget->indexOf(page)));
    QCOMPARE(editor->tabWidget->count(), pages - 1);
    // The page goes with the next round of events; its worker must not outlive it.
    QTest::qWait(50);
}

void TestBackgroundLoad::switchingTabsKeepsTheAnalysisOfUnchangedText()
{
    EditorTabs *page = openInBackground(grainGrowth);
    QVERIFY(page);
    QTRY_VERIFY_WITH_TIMEOUT(!page->analysisPending(), 20000);
    const SyntaxAnalyzer *loaded = page->analyzer.get();
    editor->slotChangeTab(editor->tabWidget->indexOf(page));
    QCOMPARE(page->analyzer.get(), loaded);

    page->textEdit->textCursor().insertText("# note\n");
    editor->slotChangeTab(editor->tabWidget->indexOf(page));
    QVERIFY(page->analyzer.get() != loaded);
}

QTEST_MAIN(TestBackgroundLoad)
#include "test_backgroundload.moc"
