#include "app/page/editortabs.h"
#include "app/text/customtextedit.h"
#include "app/window/editor.h"
#include "tests/support/dialoganswer.h"

#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

class TestEditing : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void searchFindsCaseInsensitively();
    void searchMissAboveCursorWarns();
    void commentKeysRoundTrip();
    void uncommentOnlyLeadingHash();
    void uncommentWithoutHashChangesNothing();
    void commentSelectedLines_data();
    void commentSelectedLines();
    void selectBlock_data();
    void selectBlock();
    void contextMenuOffersTools();
    void cursorPositionIsRemembered();
    void searchShortcutFocusesField();

private:
    void setText(const QString &text, int cursorPosition = 0);
    QString text() const { return edit()->toPlainText(); }
    CustomTextEdit *edit() const { return editor->currentTab->textEdit; }

    QTemporaryDir home;
    Editor *editor = nullptr;
};

void TestEditing::initTestCase()
{
    QVERIFY(home.isValid());
}

void TestEditing::init()
{
    editor = new Editor(home.filePath(QStringLiteral("rc")));
    editor->slotNew();
    QVERIFY(editor->currentTab);
}

void TestEditing::cleanup()
{
    editor->currentTab->docState = 1;
    delete editor;
}

void TestEditing::setText(const QString &text, int cursorPosition)
{
    edit()->setPlainText(text);
    QTextCursor cursor = edit()->textCursor();
    cursor.setPosition(cursorPosition);
    edit()->setTextCursor(cursor);
}

void TestEditing::searchFindsCaseInsensitively()
{
    setText(QStringLiteral("# values\nTemperature 300\n"));
    editor->searchField->setText(QStringLiteral("temp"));
    editor->slotSearch();
    const QTextCursor hit = edit()->textCursor();
    QCOMPARE(hit.selectedText(), QStringLiteral("Temp"));
    QCOMPARE(hit.selectionStart(), 9);
}

void TestEditing::searchMissAboveCursorWarns()
{
    setText(QStringLiteral("temp\nother"), 7);
    editor->searchField->setText(QStringLiteral("temp"));
    SeenDialog warning;
    onNextDialog(&warning, [](QDialog *box) { box->accept(); });
    editor->slotSearch();
    QVERIFY(warning.shown);
    QCOMPARE(warning.title, QStringLiteral("Search warning"));
    QVERIFY(warning.text.contains(QStringLiteral("Starting from current cursor position,\nthe "
                                                 "searched term could not be found !")));
    QCOMPARE(edit()->textCursor().position(), 7);
    QVERIFY(!edit()->textCursor().hasSelection());
}

void TestEditing::commentKeysRoundTrip()
{
    setText(QStringLiteral("x\nabc\ny"), 3);
    QTest::keyClick(edit(), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(text(), QStringLiteral("x\n#abc\ny"));
    QTest::keyClick(edit(), Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(text(), QStringLiteral("x\nabc\ny"));
    edit()->undo();
    QCOMPARE(text(), QStringLiteral("x\n#abc\ny"));
}

void TestEditing::uncommentOnlyLeadingHash()
{
    setText(QStringLiteral("#a\n  #b\n##c"));
    edit()->selectAll();
    QTest::keyClick(edit(), Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(text(), QStringLiteral("a\n  #b\n#c"));
}

void TestEditing::uncommentWithoutHashChangesNothing()
{
    setText(QStringLiteral("abc\n  #d"));
    editor->currentTab->docState = 1;
    edit()->selectAll();
    editor->slotCommentOut();
    QCOMPARE(text(), QStringLiteral("abc\n  #d"));
    QVERIFY(!edit()->document()->isUndoAvailable());
    QCOMPARE(editor->currentTab->docState, 1);
}

void TestEditing::commentSelectedLines_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("after");

    QTest::newRow("empty lines inside get a hash too") << "a\n\nb" << 0 << 4 << "#a\n#\n#b";
    QTest::newRow("selection starting mid-line") << "abc\nde" << 1 << 6 << "a#bc\n#de";
    QTest::newRow("line after a selection ending at its start stays")
        << "a\nb\nc" << 0 << 4 << "#a\n#b\nc";
    QTest::newRow("empty line under the cursor") << "a\n\nb" << 2 << 2 << "a\n#\nb";
}

void TestEditing::commentSelectedLines()
{
    QFETCH(QString, before);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, after);

    setText(before, from);
    QTextCursor cursor = edit()->textCursor();
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    edit()->setTextCursor(cursor);
    editor->slotCommentIn();
    QCOMPARE(text(), after);
}

void TestEditing::selectBlock_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("selected");

    const QString sections = QStringLiteral("value 1\n"
                                            "# Grid\n"
                                            "# ========\n"
                                            "10 # cells\n"
                                            "\n"
                                            "# Phases\n"
                                            "# ------\n"
                                            "2");
    const QString grid = QStringLiteral("# Grid\n# ========\n10 # cells\n");
    QTest::newRow("body line of a section") << sections << 3 << grid;
    QTest::newRow("empty last line of a section") << sections << 4 << grid;
    QTest::newRow("underline of a section") << sections << 2 << grid;
    QTest::newRow("title line of a section") << sections << 1 << grid;
    QTest::newRow("text before the first section") << sections << 0 << "value 1";
    QTest::newRow("last section runs to the end") << sections << 7 << "# Phases\n# ------\n2";
    QTest::newRow("no separators selects everything") << "a\nb\nc\nd" << 2 << "a\nb\nc\nd";
    QTest::newRow("short text without separators") << "a" << 0 << "a";
}

void TestEditing::selectBlock()
{
    QFETCH(QString, content);
    QFETCH(int, line);
    QFETCH(QString, selected);

    setText(content);
    edit()->setTextCursor(QTextCursor(edit()->document()->findBlockByNumber(line)));
    QTest::keyClick(edit(), Qt::Key_B, Qt::ControlModifier);
    QString actual = edit()->textCursor().selectedText();
    actual.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    QCOMPARE(actual, selected);
}

void TestEditing::contextMenuOffersTools()
{
    setText(QStringLiteral("abc"), 1);
    editor->editorContextMenue(QPoint(2, 2));
    QPointer<QMenu> menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    const QList<QAction *> actions = menu->actions();
    QVERIFY(actions.size() > 3);
    QCOMPARE(actions.at(actions.size() - 3)->text(), QStringLiteral("Select &Block"));
    QCOMPARE(actions.at(actions.size() - 3)->shortcut(), QKeySequence(QStringLiteral("Ctrl+B")));
    QCOMPARE(actions.at(actions.size() - 2)->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
    QCOMPARE(actions.last()->text(), QStringLiteral("Uncomment Selection"));
    QCOMPARE(actions.last()->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+D")));

    actions.at(actions.size() - 2)->trigger();
    QCOMPARE(text(), QStringLiteral("#abc"));
    menu->close();
    QTRY_VERIFY(!menu);
}

void TestEditing::cursorPositionIsRemembered()
{
    setText(QStringLiteral("one\ntwo"), 5);
    QCOMPARE(editor->lastCursor.position(), 5);
    QCOMPARE(editor->lastCursor.document(), edit()->document());
}

void TestEditing::searchShortcutFocusesField()
{
    editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    editor->searchField->setText(QStringLiteral("old term"));
    edit()->setFocus();
    editor->focus_search();
    QTRY_VERIFY(editor->searchField->hasFocus());
    QVERIFY(editor->searchField->hasSelectedText());
}

QTEST_MAIN(TestEditing)
#include "test_editing.moc"
