// Runs the vorpen-check program as users and scripts do and checks its verdicts, messages
// and exit statuses.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

Run check(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(VORPEN_BINARY_DIR "/tools/vorpen-check/vorpen-check"), arguments);
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString fixture(const QString &name)
{
    return QStringLiteral(VORPEN_TEST_DIR "/vorpencheck/") + name;
}

const QString grainGrowth = QStringLiteral(VORPEN_SOURCE_DIR "/examples/grain_growth_2d_dri.txt");

} // namespace

class TestVorpenCheck : public QObject
{
    Q_OBJECT

    QTemporaryDir scratch;

private slots:
    void validFile();
    void refusedTokenNamesTheParameterAndTheLine();
    void fileEndingTooEarlyPointsAtTheLastLine();
    void surplusLineIsTooMuchInput();
    void chosenSyntax_data();
    void chosenSyntax();
    void verdictsFollowTheArgumentOrder();
    void unreadableFile_data();
    void unreadableFile();
    void usageErrors_data();
    void usageErrors();
};

void TestVorpenCheck::validFile()
{
    const Run run = check({grainGrowth});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, grainGrowth + ": valid ZELMORA 7.0 driving file\n");
    QVERIFY(run.err.isEmpty());
}

void TestVorpenCheck::refusedTokenNamesTheParameterAndTheLine()
{
    const QString file = fixture("zipped_alone_dri.txt");
    const Run run = check({"--syntax", "7.0", file});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.out, file + ":4: error: Parameter = RestartType\n"
                             "  Type = string\n"
                             "  Options = \n"
                             "     new\n"
                             "     restart\n"
                             "  ----------------------------\n"
                             "  Given input =  zipped\n"
                             "  Syntax error\n");
}

void TestVorpenCheck::fileEndingTooEarlyPointsAtTheLastLine()
{
    const QString file = fixture("truncated_dri.txt");
    const Run run = check({"--syntax=7.0", file});
    QCOMPARE(run.status, 1);
    const QStringList lines = run.out.split('\n');
    QCOMPARE(lines.first(), file + ":10: error: Parameter = TypeOfCoupling");
    QCOMPARE(lines.at(1), QString("  Type = string+"));
    QVERIFY(lines.contains("     temp_cyl_coord"));
    QCOMPARE(lines.at(lines.size() - 2), QString("  End of file reached!"));
}

void TestVorpenCheck::surplusLineIsTooMuchInput()
{
    QTemporaryDir dir;
    QFile source(grainGrowth);
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QByteArray text = source.readAll() + "surplus 42\n";
    const int surplusLine = text.count('\n');
    QFile copy(dir.filePath("surplus_dri.txt"));
    QVERIFY(copy.open(QIODevice::WriteOnly));
    copy.write(text);
    copy.close();
    const Run run = check({copy.fileName()});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.out, copy.fileName() + ':' + QString::number(surplusLine) +
                          ": error: Too much input:\n  surplus 42\n");
}

void TestVorpenCheck::chosenSyntax_data()
{
    QTest::addColumn<QString>("syntax");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("verdict");
    const QString solidification =
        QStringLiteral(VORPEN_SOURCE_DIR "/examples/legacy_binary_solidification_v64_dri.txt");
    QTest::newRow("7.0 file, auto") << "auto" << grainGrowth << 0 << "valid ZELMORA 7.0";
    QTest::newRow("7.0 file, 6.4") << "6.4" << grainGrowth << 1 << "error: Parameter = ";
    QTest::newRow("6.4 file, auto") << "auto" << solidification << 0 << "valid ZELMORA 6.4";
    QTest::newRow("6.4 file, 6.4") << "6.4" << solidification << 0 << "valid ZELMORA 6.4";
    QTest::newRow("6.4 file, 7.0") << "7.0" << solidification << 1 << "error: Parameter = ";
}

void TestVorpenCheck::chosenSyntax()
{
    QFETCH(QString, syntax);
    QFETCH(QString, file);
    QFETCH(QString, verdict);
    const Run run = check({"--syntax", syntax, file});
    QTEST(run.status, "status");
    QVERIFY2(run.out.startsWith(file + ':') && run.out.contains(verdict), qPrintable(run.out));
}

void TestVorpenCheck::verdictsFollowTheArgumentOrder()
{
    const QString invalid = fixture("zipped_alone_dri.txt");
    const Run run = check({invalid, grainGrowth});
    QCOMPARE(run.status, 1);
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    QVERIFY(lines.first().startsWith(invalid + ":4: error: "));
    QCOMPARE(lines.last(), grainGrowth + ": valid ZELMORA 7.0 driving file");
}

void TestVorpenCheck::unreadableFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    QVERIFY(scratch.isValid());
    QTest::newRow("missing file") << fixture("no_such_file_dri.txt") << "no such file";
    // Reading these hung for ever or aborted for lack of memory.
    const QString fifo = scratch.filePath("pipe_dri.txt");
    QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QTest::newRow("named pipe") << fifo << "not a regular file";
    QTest::newRow("endless device") << "/dev/zero"
                                    << "not a regular file";
    const QString huge = scratch.filePath("huge_dri.txt");
    QFile file(huge);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(1024) * 1024 * 1024));
    QTest::newRow("huge sparse file") << huge << "1024 MB, far beyond any driving file";
}

void TestVorpenCheck::unreadableFile()
{
    QFETCH(QString, path);
    QFETCH(QString, message);
    const Run run = check({grainGrowth, path, fixture("zipped_alone_dri.txt")});
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.startsWith(path + ": error: " + message), qPrintable(run.err));
    // The other files are still checked.
    QCOMPARE(run.out.count(": valid ZELMORA 7.0 driving file\n"), 1);
    QCOMPARE(run.out.count(": error: Parameter = RestartType\n"), 1);
}

void TestVorpenCheck::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("no file") << QStringList() << "no driving file given";
    QTest::newRow("unknown syntax")
        << QStringList{"--syntax", "5.0", grainGrowth} << "unknown syntax '5.0'";
    QTest::newRow("syntax without value") << QStringList{"--syntax"} << "unknown syntax ''";
    QTest::newRow("unknown option")
        << QStringList{"--strict", grainGrowth} << "unknown option '--strict'";
}

void TestVorpenCheck::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Run run = check(arguments);
    QCOMPARE(run.status, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(run.err.contains("usage: vorpen-check [--syntax 6.4|7.0|auto] FILE..."));
}

QTEST_GUILESS_MAIN(TestVorpenCheck)
#include "test_vorpencheck.moc"
