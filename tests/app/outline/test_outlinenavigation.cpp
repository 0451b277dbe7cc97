#include "app/outline/bookmarks.h"
#include "app/outline/treemodel.h"
#include "app/page/editortabs.h"
#include "app/text/customtextedit.h"
#include "app/window/editor.h"

#include <QScrollBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTreeView>
#include <QtTest>

class TestOutlineNavigation : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void clickSelectsTitleWithContextAbove();
    void subsectionEntry();
    void modifiedPageIsAnalysedAndRebuilt();
    void unmodifiedPageKeepsAnalysis();
    void staleEntryBeyondTheTextStopsAtTheEnd();
    void invalidIndexGoesToTheTop();
    void longTitleCanBeReadInANarrowOutline();

private:
    // A long text with sections "Early" at line 2, "Late" at line 120 and "Sub" at line 150.
    void loadSections();
    QModelIndex entry(int row, const QModelIndex &parent = QModelIndex()) const;
    int firstVisibleLine() const;
    EditorTabs *page() const { return editor->currentTab; }

    QTemporaryDir home;
    Editor *editor = nullptr;
};

void TestOutlineNavigation::initTestCase()
{
    Q_INIT_RESOURCE(MyRes);
}

void TestOutlineNavigation::init()
{
    editor = new Editor(home.filePath(QStringLiteral("rc")));
    editor->resize(900, 600);
    editor->slotNew();
    QVERIFY(page());
    QVERIFY(QTest::qWaitForWindowExposed(editor));
}

void TestOutlineNavigation::cleanup()
{
    page()->docState = 1;
    delete editor;
}

void TestOutlineNavigation::loadSections()
{
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QStringLiteral("value %1").arg(i);
    lines[2] = QStringLiteral("# Early");
    lines[3] = QStringLiteral("# =====");
    lines[120] = QStringLiteral("# Late");
    lines[121] = QStringLiteral("# ====");
    lines[150] = QStringLiteral("# Sub");
    lines[151] = QStringLiteral("# ----");
    page()->textEdit->setPlainText(lines.join(QLatin1Char('\n')));
    page()->docState = 1;
    page()->bookmarks->updateModel(&lines);
}

QModelIndex TestOutlineNavigation::entry(int row, const QModelIndex &parent) const
{
    return page()->bookmarks->getModel()->index(row, 0, parent);
}

int TestOutlineNavigation::firstVisibleLine() const
{
    const CustomTextEdit *edit = page()->textEdit;
    for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next()) {
        if (edit->cursorRect(QTextCursor(block)).top() >= 0)
            return block.blockNumber();
    }
    return -1;
}

void TestOutlineNavigation::clickSelectsTitleWithContextAbove()
{
    loadSections();
    QTreeView *view = page()->bookmarkView;
    QCOMPARE(view->model()->rowCount(), 2);
    const QRect late = view->visualRect(entry(1));
    QVERIFY(late.isValid());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, late.center());

    const QTextCursor cursor = page()->textEdit->textCursor();
    QCOMPARE(cursor.selectedText(), QStringLiteral("# Late"));
    QCOMPARE(cursor.block().blockNumber(), 120);
    QCOMPARE(firstVisibleLine(), 117);
}

void TestOutlineNavigation::subsectionEntry()
{
    loadSections();
    page()->slotGotoBookmark(entry(0, entry(1)));
    QCOMPARE(page()->textEdit->textCursor().selectedText(), QStringLiteral("# Sub"));
    QCOMPARE(firstVisibleLine(), 147);

    page()->slotGotoBookmark(entry(0));
    QCOMPARE(page()->textEdit->textCursor().selectedText(), QStringLiteral("# Early"));
    QCOMPARE(firstVisibleLine(), 0);
}

void TestOutlineNavigation::modifiedPageIsAnalysedAndRebuilt()
{
    loadSections();
    const QModelIndex late = entry(1);
    QVERIFY(!page()->analyzer);
    page()->syntaxValid = true;
    QTextCursor top(page()->textEdit->document());
    top.insertText(QStringLiteral("new 1\nnew 2\n"));
    QCOMPARE(page()->docState, 2);

    page()->slotGotoBookmark(late);
    QVERIFY(page()->analyzer);
    QVERIFY(!page()->syntaxValid);
    // This click still used the outline of the old text, the next one follows the edit.
    QCOMPARE(page()->textEdit->textCursor().selectedText(), QStringLiteral("value 119"));
    page()->slotGotoBookmark(entry(1));
    QCOMPARE(page()->textEdit->textCursor().selectedText(), QStringLiteral("# Late"));
    QCOMPARE(page()->textEdit->textCursor().block().blockNumber(), 122);
}

void TestOutlineNavigation::unmodifiedPageKeepsAnalysis()
{
    loadSections();
    page()->slotGotoBookmark(entry(1));
    QVERIFY(!page()->analyzer);
}

void TestOutlineNavigation::staleEntryBeyondTheTextStopsAtTheEnd()
{
    loadSections();
    const QModelIndex late = entry(1);
    page()->textEdit->setPlainText(QStringLiteral("short\ntext"));
    page()->docState = 2;
    page()->slotGotoBookmark(late);
    QCOMPARE(page()->textEdit->textCursor().selectedText(), QStringLiteral("text"));
    QCOMPARE(page()->bookmarks->getModel()->rowCount(), 0);
}

void TestOutlineNavigation::invalidIndexGoesToTheTop()
{
    loadSections();
    page()->slotGotoBookmark(entry(1));
    page()->slotGotoBookmark(QModelIndex());
    const QTextCursor cursor = page()->textEdit->textCursor();
    QCOMPARE(cursor.position(), 0);
    QVERIFY(!cursor.hasSelection());
    QCOMPARE(firstVisibleLine(), 0);
}

void TestOutlineNavigation::longTitleCanBeReadInANarrowOutline()
{
    const QString title = QStringLiteral("Temperature Solver (concentration)");
    QStringList lines = {QStringLiteral("# ") + title, QStringLiteral("# ====="),
                         QStringLiteral("value")};
    page()->textEdit->setPlainText(lines.join(QLatin1Char('\n')));
    page()->bookmarks->updateModel(&lines);
    QTreeView *view = page()->bookmarkView;
    auto *splitter = qobject_cast<QSplitter *>(view->parentWidget());
    QVERIFY(splitter);
    splitter->setSizes({60, 600});
    QTRY_VERIFY(view->width() < view->fontMetrics().horizontalAdvance(title));

    QCOMPARE(entry(0).data(Qt::ToolTipRole).toString(), title);
    // The entry keeps its whole width and the outline scrolls to it.
    QVERIFY(view->visualRect(entry(0)).width() >= view->fontMetrics().horizontalAdvance(title));
    QVERIFY(view->horizontalScrollBar()->maximum() > 0);
}

QTEST_MAIN(TestOutlineNavigation)
#include "test_outlinenavigation.moc"
