// Every driving file of the example library must pass the analysis of the version it declares
// in its first line and fail the other one. A new example is tested by adding it to the folder.
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <QtTest>

namespace {

const QString examplesDir = QStringLiteral(VORPEN_SOURCE_DIR "/examples");

QString grammarOf(const QString &version)
{
    return version == QLatin1String("6.4") ? QStringLiteral("ZEL_Syntax_6-4.xml")
                                           : QStringLiteral("ZEL_Syntax_7-0.xml");
}

QString analysisFailure(QStringList lines, const QString &version)
{
    SyntaxAnalyzer analyzer(grammarOf(version));
    int line = -1;
    Node *failed = nullptr;
    if (analyzer.analyze(&lines, line, failed))
        return QString();
    return QString("line %1 at %2").arg(line + 1).arg(failed ? failed->name() : "too much input");
}

} // namespace

class TestExamples : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(MyRes); }
    void libraryCoversBothVersions();
    void passesItsOwnVersionOnly_data();
    void passesItsOwnVersionOnly();
};

void TestExamples::libraryCoversBothVersions()
{
    QMap<QString, int> perVersion;
    const QStringList files = QDir(examplesDir).entryList({"*_dri.txt"}, QDir::Files);
    for (const QString &name : files) {
        QFile file(examplesDir + '/' + name);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        perVersion[QTextStream(&file).readLine().section(' ', 2, 2)]++;
    }
    QVERIFY(perVersion.value("7.0") >= 8);
    QVERIFY(perVersion.value("6.4") >= 6);
    QCOMPARE(perVersion.keys(), QStringList({"6.4", "7.0"}));
    QCOMPARE(QDir(examplesDir).entryList(QDir::Files).size(), files.size());
}

void TestExamples::passesItsOwnVersionOnly_data()
{
    QTest::addColumn<QString>("path");
    for (const QString &name : QDir(examplesDir).entryList(QDir::Files))
        QTest::newRow(qPrintable(name)) << examplesDir + '/' + name;
}

void TestExamples::passesItsOwnVersionOnly()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QTextStream(&file).readAll();
    const QStringList lines = text.split('\n');
    // The first line says what the file is: "# ZELMORA 7.0 driving file: ..."
    const QString header = lines.first();
    QVERIFY2(header.startsWith("# ZELMORA ") && header.contains(" driving file: "),
             qPrintable(header));
    const QString version = header.section(' ', 2, 2);
    QVERIFY(version == "7.0" || version == "6.4");
    const QString other = version == "7.0" ? "6.4" : "7.0";
    const QString failure = analysisFailure(lines, version);
    QVERIFY2(failure.isEmpty(), qPrintable(version + " analysis failed at " + failure));
    QVERIFY2(!analysisFailure(lines, other).isEmpty(), qPrintable(other + " accepted the file"));
}

QTEST_GUILESS_MAIN(TestExamples)
#include "test_examples.moc"
