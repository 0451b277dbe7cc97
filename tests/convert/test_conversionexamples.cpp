// Every 6.4 example of the library converts to the reviewed 7.0 text kept in golden/, that text
// passes the 7.0 analysis (or fails exactly where a known stop says), and no keyword lands in a
// parameter that does not offer it. tools/regenerate-golden.sh writes the reviewed texts anew.
#include "convert/conversionresult.h"
#include "keywordcheck.h"
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QTemporaryFile>
#include <QTextStream>
#include <QtTest>

namespace {

QString examplesDir()
{
    const QByteArray overridden = qgetenv("VORPEN_EXAMPLES_DIR");
    return overridden.isEmpty() ? QStringLiteral(VORPEN_SOURCE_DIR "/examples")
                                : QString::fromLocal8Bit(overridden);
}

QString goldenPath(const QString &example)
{
    return QStringLiteral(VORPEN_TEST_DIR "/golden/") + example + QStringLiteral(".expected");
}

// Examples whose 7.0 text cannot pass, with the parameter where the 7.0 analysis stops: 7.0
// has no latent heat next to a 1D temperature field, so the user has to choose by hand.
const QHash<QString, QString> knownStops = {
    {QStringLiteral("thermal_1d_latent_heat_v64_dri.txt"),
     QStringLiteral("TDSpecHeatCapacityType")},
};

const QString liquidWarning = QStringLiteral("Warning: More phases than database indices!\n") +
                              QStringLiteral("Check the new phase list. Liquid was inserted.\n");

QString readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QTextStream in(&file);
    in.setCodec("UTF-8");
    return in.readAll();
}

// What diff -u says about the expected file against the actual text.
QString unifiedDiff(const QString &expectedPath, const QString &actual)
{
    QTemporaryFile file;
    if (!file.open())
        return QStringLiteral("(no temporary file for the diff)");
    file.write(actual.toUtf8());
    file.flush();
    QProcess diff;
    diff.start(QStringLiteral("diff"), {QStringLiteral("-u"), expectedPath, file.fileName()});
    if (!diff.waitForFinished())
        return QStringLiteral("(diff did not run)");
    return QString::fromUtf8(diff.readAllStandardOutput());
}

// One example converted as the conversion command converts it, keeping the converted tree.
struct ExampleConversion
{
    QString text;
    bool warnings = false;
    QStringList log;
    QStringList keywordsOutside;
    bool accepted = false;
    QString stop;
    QString where;

    explicit ExampleConversion(const QString &path)
    {
        QStringList lines = readAll(path).split('\n');
        SyntaxAnalyzer source(QStringLiteral("ZEL_Syntax_6-4.xml"));
        int line = -1;
        Node *failed = nullptr;
        if (!source.analyze(&lines, line, failed)) {
            where = QStringLiteral("not valid 6.4 at line %1").arg(line + 1);
            return;
        }
        SyntaxAnalyzer target(QStringLiteral("ZEL_Syntax_7-0.xml"));
        target.conversionLog = [this](const QString &message) { log << message; };
        warnings = target.convert(&source);
        text = target.printTree(false);
        keywordsOutside = keywordsOutsideOptions(target);

        QStringList converted = text.split('\n');
        SyntaxAnalyzer verifier(QStringLiteral("ZEL_Syntax_7-0.xml"));
        int position = -1;
        Node *stopped = nullptr;
        const bool analyzed = verifier.analyze(&converted, position, stopped);
        accepted = verificationAccepted(analyzed, stopped);
        stop = stopped ? stopped->name() : QString();
        where = QStringLiteral("line %1 (%2) at %3")
                    .arg(position + 1)
                    .arg(converted.value(position), stop);
    }
};

} // namespace

class TestConversionExamples : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(MyRes); }
    void convertsToGolden70_data();
    void convertsToGolden70();
};

void TestConversionExamples::convertsToGolden70_data()
{
    QTest::addColumn<QString>("path");
    const QDir dir(examplesDir());
    for (const QString &name : dir.entryList(QDir::Files)) {
        if (readAll(dir.filePath(name)).startsWith(QLatin1String("# ZELMORA 6.4 ")))
            QTest::newRow(qPrintable(name)) << dir.filePath(name);
    }
}

void TestConversionExamples::convertsToGolden70()
{
    QFETCH(QString, path);
    const ExampleConversion converted(path);
    if (qEnvironmentVariableIsSet("VORPEN_SHOW_CONVERSION"))
        qInfo().noquote() << converted.text;
    const QString name = QFileInfo(path).fileName();
    if (knownStops.contains(name)) {
        QVERIFY2(!converted.accepted, "the example passes now: take it off the list");
        QCOMPARE(converted.stop, knownStops.value(name));
    } else {
        QVERIFY2(converted.accepted, qPrintable(converted.where));
    }
    QCOMPARE(converted.warnings, converted.log.contains(liquidWarning));
    QVERIFY2(converted.keywordsOutside.isEmpty(),
             qPrintable(converted.keywordsOutside.join(QStringLiteral(", "))));

    const QString golden = goldenPath(name);
    QVERIFY2(QFileInfo::exists(golden),
             qPrintable(golden + QStringLiteral(" is missing: run tools/regenerate-golden.sh")));
    if (converted.text != readAll(golden))
        QFAIL(qPrintable(QStringLiteral("the conversion differs from ") + golden + "\n" +
                         unifiedDiff(golden, converted.text)));
}

QTEST_GUILESS_MAIN(TestConversionExamples)
#include "test_conversionexamples.moc"
