#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/page/interfacetabwidget.h"
#include "app/text/customtextedit.h"
#include "app/window/editor.h"
#include "run/runconfigurationwidget.h"
#include "syntax/syntaxanalyzer.h"

#include <QLayout>
#include <QTabBar>
#include <QTemporaryDir>
#include <QtTest>

// The views of a page: showing the run configuration analyses the text as it stands.
class TestInterfaceTabs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void runConfigurationAnalysesTheCurrentText();
    void movedTabKeepsItsBehaviour();
    void newPagesShowTheirRunConfiguration();

private:
    QString resultName() const;

    QTemporaryDir home;
    Editor *editor = nullptr;
};

void TestInterfaceTabs::initTestCase()
{
    Q_INIT_RESOURCE(MyRes);
    qputenv("HOME", home.path().toLocal8Bit());
}

void TestInterfaceTabs::init()
{
    editor = new Editor(home.filePath(QStringLiteral(".vorpenrc7000")));
    QVERIFY(editor->loadFile(QStringLiteral(VORPEN_SOURCE_DIR "/examples/grain_growth_2d_dri.txt"),
                             false));
    editor->slotChangeTab(0);
}

void TestInterfaceTabs::cleanup()
{
    delete editor;
    editor = nullptr;
}

QString TestInterfaceTabs::resultName() const
{
    Node *found = nullptr;
    return editor->currentTab->analyzer->getValues(QStringLiteral("NameOfResults"), false, found)
        .value(0);
}

void TestInterfaceTabs::runConfigurationAnalysesTheCurrentText()
{
    EditorTabs *page = editor->currentTab;
    QCOMPARE(resultName(), QStringLiteral("Results/GrainGrowth2D"));

    // A broken file still gives what was read before the fault.
    QString text = page->textEdit->toPlainText();
    text.replace(QStringLiteral("Results/GrainGrowth2D"), QStringLiteral("Results/Renamed"));
    text.replace(QStringLiteral("\nbinary_zip\n"), QStringLiteral("\nnot_a_format\n"));
    page->textEdit->setPlainText(text);

    page->interfaceTabs->setCurrentIndex(1);
    QCOMPARE(page->interfaceTabs->tabText(1), QStringLiteral("Run Configuration"));
    // The new analyzer may take the freed one's address, so its result tells them apart.
    QCOMPARE(resultName(), QStringLiteral("Results/Renamed"));

    // Going back to the text leaves the analysis alone.
    const SyntaxAnalyzer *before = page->analyzer.get();
    page->interfaceTabs->setCurrentIndex(0);
    QCOMPARE(page->analyzer.get(), before);
}

void TestInterfaceTabs::movedTabKeepsItsBehaviour()
{
    EditorTabs *page = editor->currentTab;
    page->interfaceTabs->tabBar()->moveTab(1, 0);
    QCOMPARE(page->interfaceTabs->tabText(0), QStringLiteral("Run Configuration"));
    page->interfaceTabs->setCurrentIndex(1);

    page->textEdit->setPlainText(page->textEdit->toPlainText().replace(
        QStringLiteral("Results/GrainGrowth2D"), QStringLiteral("Results/Moved")));
    page->interfaceTabs->setCurrentIndex(0);
    QCOMPARE(resultName(), QStringLiteral("Results/Moved"));
}

// The first page of a window used to show an empty "Run Configuration".
void TestInterfaceTabs::newPagesShowTheirRunConfiguration()
{
    Editor fresh(home.filePath(QStringLiteral("fresh-rc")));
    fresh.slotNew();
    QCOMPARE(fresh.tabWidget->count(), 2);
    for (int i = 0; i < fresh.tabWidget->count(); ++i) {
        auto *page = static_cast<EditorTabs *>(fresh.tabWidget->widget(i));
        RunConfigurationWidget *run = page->runConfiguration;
        QVERIFY(run->layout());
        QCOMPARE(run->innerBox->parentWidget(), run);
        QVERIFY(run->layout()->indexOf(run->innerBox) >= 0);
    }
}

QTEST_MAIN(TestInterfaceTabs)
#include "test_interfacetabs.moc"
