#include "app/window/editor.h"

#include <QTemporaryDir>
#include <QtTest>

// Locating the line a run refused, from the screen output of the simulation.
class TestErrorLocation : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void screenOutputCount_data();
    void screenOutputCount();
    void positionOfParameter_data();
    void positionOfParameter();

private:
    QTemporaryDir home;
    Editor *editor = nullptr;
};

void TestErrorLocation::initTestCase()
{
    Q_INIT_RESOURCE(MyRes);
    qputenv("HOME", home.path().toLocal8Bit());
    editor = new Editor(home.filePath(QStringLiteral(".vorpenrc7000")));
}

void TestErrorLocation::cleanupTestCase()
{
    delete editor;
}

void TestErrorLocation::screenOutputCount_data()
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

void TestErrorLocation::screenOutputCount()
{
    QFETCH(QString, output);
    QFETCH(int, count);
    QCOMPARE(editor->getValidParameterCount(&output), count);
}

void TestErrorLocation::positionOfParameter_data()
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

void TestErrorLocation::positionOfParameter()
{
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(int, position);
    QCOMPARE(editor->getPositionOfParameter(&text, n), position);
}

QTEST_MAIN(TestErrorLocation)
#include "test_errorlocation.moc"
