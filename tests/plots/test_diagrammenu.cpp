#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

#include <qwt_plot.h>

#include "app/page/editortabs.h"
#include "app/text/customtextedit.h"
#include "app/window/editor.h"
#include "plots/anisotropyplots.h"
#include "plots/phasediagrams.h"
#include "plots/polarplot.h"

namespace {

QString fixture(const QString &name)
{
    QFile file(QStringLiteral(VORPEN_TEST_DIR "/data/") + name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QStringList texts(const QMenu *menu)
{
    QStringList result;
    const QList<QAction *> actions = menu->actions();
    for (const QAction *action : actions)
        result.append(action->text());
    return result;
}

QAction *entry(const QMenu *menu, const QString &text)
{
    const QList<QAction *> actions = menu->actions();
    for (QAction *action : actions) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

QwtPlot *openDiagram(const EditorTabs *page, const QString &component)
{
    for (const PhaseData *data : page->getPhaseDiagrams()->phaseData()) {
        if (data->componentName == component && data->plot)
            return data->plot;
    }
    return nullptr;
}

AnisotropyData *anisotropy(const EditorTabs *page, const QString &title)
{
    for (AnisotropyData *data : qAsConst(page->getAnisotropyPlots()->records)) {
        if (data->title == title)
            return data;
    }
    return nullptr;
}

// Runs the deletions that a rebuild or a closed page leaves for the event loop.
void settle()
{
    for (int round = 0; round < 3; ++round)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestDiagramMenu : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void untitledPageLeavesBothMenusDisabled();
    void drivingFile64GivesEntriesFromItsText();
    void openWindowsAreOpenedAgainAfterARebuild();
    void closedWindowIsNotOpenedAgain();
    void closingThePageClosesItsPlots();
    void examples_data();
    void examples();

private:
    EditorTabs *load64();

    QTemporaryDir home;
    Editor *editor = nullptr;
};

void TestDiagramMenu::initTestCase()
{
    Q_INIT_RESOURCE(MyRes);
    qputenv("HOME", home.path().toLocal8Bit());
}

void TestDiagramMenu::init()
{
    editor = new Editor(home.filePath(QStringLiteral(".vorpenrc7000")));
}

void TestDiagramMenu::cleanup()
{
    delete editor;
    editor = nullptr;
    settle();
}

// A 6.4 driving file with two phase-diagram components and two anisotropic interfaces.
EditorTabs *TestDiagramMenu::load64()
{
    const QString path = home.filePath(QStringLiteral("alloy_dri.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return nullptr;
    file.write((fixture(QStringLiteral("anisotropy_64.txt")) +
                fixture(QStringLiteral("phasediagram_64.txt")))
                   .toUtf8());
    file.close();
    if (!editor->loadFile(path, false))
        return nullptr;
    EditorTabs *page = editor->currentTab;
    page->syntaxFile = QStringLiteral("ZEL_Syntax_6-4.xml");
    editor->updateDiagramMenu();
    return page;
}

void TestDiagramMenu::untitledPageLeavesBothMenusDisabled()
{
    editor->updateDiagramMenu();
    QVERIFY(!editor->phaseDiagramMenu->isEnabled());
    QVERIFY(!editor->anisotropyMenu->isEnabled());
    QVERIFY(editor->phaseDiagramMenu->actions().isEmpty());
    QVERIFY(editor->anisotropyMenu->actions().isEmpty());
}

void TestDiagramMenu::drivingFile64GivesEntriesFromItsText()
{
    EditorTabs *page = load64();
    QVERIFY(page);
    // Cu has two pairs, the database and unreadable blocks offer nothing.
    QCOMPARE(texts(editor->phaseDiagramMenu),
             QStringList({QStringLiteral("Component Cu"), QStringLiteral("Component Ni")}));
    QVERIFY(editor->phaseDiagramMenu->isEnabled());
    QCOMPARE(texts(editor->anisotropyMenu),
             QStringList({QStringLiteral("phase interaction 0 / 1"),
                          QStringLiteral("phase interaction 1 / 3")}));
    QVERIFY(editor->anisotropyMenu->isEnabled());

    // An untitled page empties both menus again.
    editor->slotNewTab();
    editor->updateDiagramMenu();
    QVERIFY(editor->phaseDiagramMenu->actions().isEmpty());
    QVERIFY(!editor->anisotropyMenu->isEnabled());
}

void TestDiagramMenu::openWindowsAreOpenedAgainAfterARebuild()
{
    EditorTabs *page = load64();
    QVERIFY(page);
    entry(editor->phaseDiagramMenu, QStringLiteral("Component Ni"))->trigger();
    entry(editor->anisotropyMenu, QStringLiteral("phase interaction 1 / 3"))->trigger();
    QPointer<QwtPlot> diagram = openDiagram(page, QStringLiteral("Ni"));
    QPointer<PolarPlot> polar = anisotropy(page, QStringLiteral("phase interaction 1 / 3"))->plot;
    QVERIFY(diagram && polar);

    // The user edits the file and saves it: the windows show the new numbers.
    QString text = page->textEdit->toPlainText();
    text.replace(QStringLiteral("0.02 0.9 1.2"), QStringLiteral("0.02 0.9 1.5"));
    page->textEdit->setPlainText(text);
    editor->updateDiagramMenu();
    settle();
    QVERIFY(!diagram);
    QVERIFY(!polar);
    QVERIFY(openDiagram(page, QStringLiteral("Ni")));
    QVERIFY(!openDiagram(page, QStringLiteral("Cu")));
    const AnisotropyData *reopened = anisotropy(page, QStringLiteral("phase interaction 1 / 3"));
    QVERIFY(reopened->windowOpen && reopened->plot);
    QCOMPARE(reopened->mobility[2], 1.5);
    QVERIFY(!anisotropy(page, QStringLiteral("phase interaction 0 / 1"))->windowOpen);
}

void TestDiagramMenu::closedWindowIsNotOpenedAgain()
{
    EditorTabs *page = load64();
    QVERIFY(page);
    entry(editor->anisotropyMenu, QStringLiteral("phase interaction 0 / 1"))->trigger();
    QPointer<PolarPlot> polar = anisotropy(page, QStringLiteral("phase interaction 0 / 1"))->plot;
    polar->close();
    settle();
    QVERIFY(!polar);
    editor->updateDiagramMenu();
    QVERIFY(!anisotropy(page, QStringLiteral("phase interaction 0 / 1"))->windowOpen);
}

void TestDiagramMenu::closingThePageClosesItsPlots()
{
    EditorTabs *page = load64();
    QVERIFY(page);
    entry(editor->phaseDiagramMenu, QStringLiteral("Component Cu"))->trigger();
    entry(editor->anisotropyMenu, QStringLiteral("phase interaction 0 / 1"))->trigger();
    QPointer<QwtPlot> diagram = openDiagram(page, QStringLiteral("Cu"));
    QPointer<PolarPlot> polar = anisotropy(page, QStringLiteral("phase interaction 0 / 1"))->plot;
    QVERIFY(diagram && polar);
    QVERIFY(editor->slotCloseTab(0));
    settle();
    QVERIFY(!diagram);
    QVERIFY(!polar);
}

void TestDiagramMenu::examples_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("syntax");
    QTest::addColumn<QString>("interaction");
    QTest::newRow("7.0 from its analysis") << "binary_solidification_linear_dri.txt"
                                           << "ZEL_Syntax_7-0.xml"
                                           << "Interaction liquid / alpha";
    QTest::newRow("6.4 from its text") << "legacy_binary_solidification_v64_dri.txt"
                                       << "ZEL_Syntax_6-4.xml"
                                       << "phase interaction 0 / 1";
}

// Both versions of the Al-Cu example describe one linear diagram and one cubic interface.
void TestDiagramMenu::examples()
{
    QFETCH(QString, file);
    QFETCH(QString, syntax);
    QFETCH(QString, interaction);
    const QString path = home.filePath(file);
    QVERIFY(QFile::copy(QStringLiteral(VORPEN_SOURCE_DIR "/examples/") + file, path));
    QVERIFY(editor->loadFile(path, false));
    EditorTabs *page = editor->currentTab;
    QCOMPARE(page->syntaxFile, syntax);
    editor->updateDiagramMenu();

    QCOMPARE(texts(editor->phaseDiagramMenu), QStringList{QStringLiteral("Component Cu")});
    const PhaseData *cu = page->getPhaseDiagrams()->phaseData().first();
    QCOMPARE(cu->referenceTemperature, 921.0);
    QCOMPARE(cu->concentrationOne, 4.0);
    QCOMPARE(cu->concentrationTwo, 0.56);
    QCOMPARE(cu->slopeOne, -2.6);
    QCOMPARE(cu->slopeTwo, -18.6);
    QCOMPARE(cu->concentrationUnit, QStringLiteral("[wt%]"));

    QCOMPARE(texts(editor->anisotropyMenu), QStringList{interaction});
    const AnisotropyData *cubic = anisotropy(page, interaction);
    QCOMPARE(cubic->pairSymmetry(), QStringLiteral("cubic"));
    QCOMPARE(cubic->stiffness[0], 0.3);
    QCOMPARE(cubic->mobility[0], 0.1);
}

QTEST_MAIN(TestDiagramMenu)
#include "test_diagrammenu.moc"
