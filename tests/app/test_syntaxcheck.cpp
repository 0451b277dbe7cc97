#include "app/customtextedit.h"
#include "app/editor.h"
#include "app/editortabs.h"
#include "dialoganswer.h"

#include <QTemporaryDir>
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
    void screenOutputCount_data();
    void screenOutputCount();
    void positionOfParameter_data();
    void positionOfParameter();

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
    while (lines.at(first).trimmed().isEmpty() ||
           lines.at(first).trimmed().startsWith(QLatin1Char('#')))
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

void TestSyntaxCheck::screenOutputCount_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("count");
    const QString three = QStringLiteral("Language english\nName test\n  Dimension 2\n");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("all read") << three << 3;
    QTest::newRow("comments, blanks and progress ignored")
        << QStringLiteral("# header\n\n! note\nA\n   \nPausing\nResuming now\nTime remaining\nB\n")
        << 2;
    QTest::newRow("english input error") << three + QStringLiteral("Input error in line 4") << 3;
    QTest::newRow("english error") << three + QStringLiteral("ERROR reading") << 2;
    QTest::newRow("english unrecognised") << three + QStringLiteral("Unrecognised input xyz") << 2;
    QTest::newRow("english answer") << three + QStringLiteral("Wrong answer") << 2;
    QTest::newRow("english trailing") << three + QStringLiteral("Trailing characters") << 2;
    QTest::newRow("english mismatch")
        << three + QStringLiteral("Mismatch between file and grammar") << 2;
    QTest::newRow("press any key") << three + QStringLiteral("Press any key to continue") << 2;
    QTest::newRow("keyboard before comment test")
        << three + QStringLiteral("# waiting for keyboard") << 3;
    QTest::newRow("german fehler") << three + QStringLiteral("Fehler beim Lesen") << 2;
    QTest::newRow("german falsche") << three + QStringLiteral("Falsche Eingabe") << 2;
    QTest::newRow("german antwort") << three + QStringLiteral("Unerwartete Antwort") << 2;
    QTest::newRow("german nicht gelesen") << three + QStringLiteral("Zeile nicht gelesen") << 2;
    QTest::newRow("french erreur") << three + QStringLiteral("Erreur de lecture") << 2;
    QTest::newRow("french reponse") << three + QStringLiteral("Mauvaise reponse") << 2;
    QTest::newRow("french non lus") << three + QStringLiteral("Caracteres non lus") << 2;
    QTest::newRow("english initialisation")
        << three + QStringLiteral("BEGINNING OF INITIALISATION") << -1;
    QTest::newRow("german initialisation")
        << three + QStringLiteral("Beginne mit Initialisierung") << -1;
    QTest::newRow("french initialisation")
        << three + QStringLiteral("Debut de l'initialisation") << -1;
    QTest::newRow("first complaint wins")
        << three + QStringLiteral("Fehler\nBeginning of initialisation") << 2;
}

void TestSyntaxCheck::screenOutputCount()
{
    QFETCH(QString, output);
    QFETCH(int, count);
    QCOMPARE(editor->getValidParameterCount(&output), count);
}

void TestSyntaxCheck::positionOfParameter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("position");
    const QString text = QStringLiteral("# comment\nfirst 1\n\n  ! note\nsecond 2\n");
    QTest::newRow("first data line") << text << 1 << 10;
    QTest::newRow("comments and blanks skipped") << text << 2 << 28;
    QTest::newRow("past the last data line") << text << 3 << text.size();
    QTest::newRow("far past the end") << text << 4 << -1;
    QTest::newRow("empty text, first") << QString() << 1 << 0;
    QTest::newRow("empty text, second") << QString() << 2 << -1;
}

void TestSyntaxCheck::positionOfParameter()
{
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(int, position);
    QCOMPARE(editor->getPositionOfParameter(&text, n), position);
}

QTEST_MAIN(TestSyntaxCheck)
#include "test_syntaxcheck.moc"
