#include "app/page/editortabs.h"
#include "app/text/customtextedit.h"
#include "app/window/editor.h"
#include "tests/support/dialoganswer.h"

#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

class TestSyntaxCheck : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void emptyDocumentReachesTheEnd();
    void validFileIsReported();
    void extraLineIsTooMuchInput();
    void wrongValueSelectsItsLine();
    void checkWithoutPageDoesNothing();

private:
    // Runs the check and returns the message box it showed.
    SeenDialog check(const QString &text,
                     const QString &syntax = QStringLiteral("ZEL_Syntax_7-0.xml"));

    QTemporaryDir dir;
    Editor *editor = nullptr;
    QString validFile;
};

void TestSyntaxCheck::initTestCase()
{
    Q_INIT_RESOURCE(MyRes);
    qputenv("HOME", dir.path().toLocal8Bit());
    QFile example(QStringLiteral(VORPEN_SOURCE_DIR "/examples/grain_growth_2d_dri.txt"));
    QVERIFY(example.open(QIODevice::ReadOnly));
    validFile = QString::fromUtf8(example.readAll());
}

void TestSyntaxCheck::init()
{
    editor = new Editor(dir.filePath(QStringLiteral(".vorpenrc7000")));
}

void TestSyntaxCheck::cleanup()
{
    delete editor;
    editor = nullptr;
}

SeenDialog TestSyntaxCheck::check(const QString &text, const QString &syntax)
{
    editor->currentTab->textEdit->setPlainText(text);
    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    editor->slotAnalyze(syntax);
    return seen;
}

void TestSyntaxCheck::emptyDocumentReachesTheEnd()
{
    const SeenDialog seen = check(QString());
    QCOMPARE(seen.title, QStringLiteral("Syntax Warning"));
    QVERIFY2(seen.text.startsWith(QStringLiteral("Parameter = Language\nType = ")),
             qPrintable(seen.text));
    QVERIFY2(seen.text.contains(QStringLiteral("\nOptions = \n   english\n")),
             qPrintable(seen.text));
    QVERIFY2(
        seen.text.endsWith(QStringLiteral("----------------------------\nEnd of file reached!")),
        qPrintable(seen.text));
    QVERIFY(!editor->currentTab->syntaxValid);
}

void TestSyntaxCheck::validFileIsReported()
{
    const SeenDialog seen = check(validFile);
    QCOMPARE(seen.title, QStringLiteral("Syntax check"));
    QCOMPARE(seen.text, QStringLiteral("This is a valid ZELMORA 7.0 driving file."));
    QVERIFY(editor->currentTab->syntaxValid);
    QVERIFY(editor->currentTab->analyzer);
}

void TestSyntaxCheck::extraLineIsTooMuchInput()
{
    QString text = validFile;
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    text += QStringLiteral("surplus 42");
    const SeenDialog seen = check(text);
    QCOMPARE(seen.title, QStringLiteral("Syntax Warning"));
    QCOMPARE(seen.text, QStringLiteral("Too much input:\nsurplus 42"));
    QCOMPARE(editor->currentTab->textEdit->textCursor().selectedText(),
             QStringLiteral("surplus 42"));
    // Too much input counts as no failing parameter.
    QVERIFY(editor->currentTab->syntaxValid);
}

void TestSyntaxCheck::wrongValueSelectsItsLine()
{
    QStringList lines = validFile.split(QLatin1Char('\n'));
    int first = 0;
    while (first < lines.size() - 1 && (lines.at(first).trimmed().isEmpty() ||
                                        lines.at(first).trimmed().startsWith(QLatin1Char('#'))))
        ++first;
    // The first data line holds the language keyword.
    lines[first] = QStringLiteral("  klingon");
    const SeenDialog seen = check(lines.join(QLatin1Char('\n')));
    QCOMPARE(seen.title, QStringLiteral("Syntax Warning"));
    QVERIFY2(seen.text.startsWith(QStringLiteral("Parameter = Language\n")), qPrintable(seen.text));
    QVERIFY2(seen.text.endsWith(QStringLiteral(
                 "----------------------------\nGiven input =    klingon\nSyntax error\n")),
             qPrintable(seen.text));
    QTextCursor cursor = editor->currentTab->textEdit->textCursor();
    QCOMPARE(cursor.selectedText(), QStringLiteral("  klingon"));
    QCOMPARE(cursor.block().blockNumber(), first);
    QVERIFY(!editor->currentTab->syntaxValid);
}

void TestSyntaxCheck::checkWithoutPageDoesNothing()
{
    editor->currentTab = nullptr;
    editor->slotAnalyze(QStringLiteral("ZEL_Syntax_7-0.xml"));
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(TestSyntaxCheck)
#include "test_syntaxcheck.moc"
