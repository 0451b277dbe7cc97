#include "run/cluster/jobscript.h"
#include "run/cluster/slurmjobstate.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The batch script runs without Slurm too, so what it does is tested by running it.
class TestJobScript : public QObject
{
    Q_OBJECT

private slots:
    void scriptRunsTheProgram_data();
    void scriptRunsTheProgram();
    void statesForThePage_data();
    void statesForThePage();
};

void TestJobScript::scriptRunsTheProgram_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("tasks");
    QTest::addColumn<QString>("partition");
    QTest::addColumn<QStringList>("expectedLines");
    QTest::addColumn<QStringList>("absentParts");

    QTest::newRow("one task runs the program itself, empty fields ask for nothing")
        << "plain" << 1 << "" << QStringList{"#SBATCH --ntasks=1", "#SBATCH --job-name=Test"}
        << QStringList{"srun", "--partition", "--time", "--account"};
    QTest::newRow("several tasks run through srun")
        << "plain" << 4 << "long" << QStringList{"#SBATCH --ntasks=4", "#SBATCH --partition=long"}
        << QStringList{"--account"};
    QTest::newRow("blanks and quotes in paths")
        << "it's a run" << 1 << "" << QStringList{"#SBATCH --chdir=\"%1\""} << QStringList{};
}

void TestJobScript::scriptRunsTheProgram()
{
    QFETCH(QString, folder);
    QFETCH(int, tasks);
    QFETCH(QString, partition);
    QFETCH(QStringList, expectedLines);
    QFETCH(QStringList, absentParts);
    QTemporaryDir dir;
    const QString work = dir.filePath(folder);
    QVERIFY(QDir().mkpath(work + QStringLiteral("/Results")));

    JobScript script;
    script.simName = QStringLiteral("Test");
    script.resultDir = work + QStringLiteral("/Results");
    script.screenFile = script.resultDir + QStringLiteral("/Test.scr");
    script.workDir = work;
    script.executable = QStringLiteral("/bin/sh");
    // The "program" prints its arguments and fails, as a refused driving file does.
    script.arguments =
        QStringList{QStringLiteral("-c"), QStringLiteral("echo \"$0 $1\"; exit 3"),
                    work + QStringLiteral("/run_dri.txt"), QStringLiteral("-noswitch")};
    script.settings.tasks = tasks;
    script.settings.partition = partition;
    const QString text = script.text();
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : expectedLines)
        QVERIFY2(lines.contains(line.arg(work)), qPrintable(text));
    for (const QString &part : absentParts)
        QVERIFY2(!text.contains(part), qPrintable(text));
    if (tasks > 1)
        return;

    QProcess shell;
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-s")});
    shell.write(text.toUtf8());
    shell.closeWriteChannel();
    QVERIFY(shell.waitForFinished(10000));
    QCOMPARE(shell.exitCode(), 3);
    QCOMPARE(QString::fromUtf8(shell.readAllStandardOutput()),
             work + QStringLiteral("/run_dri.txt -noswitch\n"));
    QFile exitFile(JobScript::exitPathFor(script.resultDir, script.simName));
    QVERIFY(exitFile.open(QIODevice::ReadOnly));
    QCOMPARE(exitFile.readAll(), QByteArray("3\n"));
}

void TestJobScript::statesForThePage_data()
{
    QTest::addColumn<QString>("queueLine");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("shown");

    QTest::newRow("waiting with Slurm's reason")
        << "PENDING|Resources" << -1 << "waiting in queue: Resources";
    QTest::newRow("stopped by signal is paused") << "STOPPED|None" << -1 << "paused";
    QTest::newRow("failed names the program's exit code")
        << "FAILED|NonZeroExitCode" << 1 << "failed with exit code 1";
    QTest::newRow("cancelled although the program wrote no code")
        << "CANCELLED|None" << -1 << "cancelled";
    QTest::newRow("time limit") << "TIMEOUT|TimeLimit" << -1 << "out of time";
    QTest::newRow("node failure") << "NODE_FAIL|None" << -1 << "node failure";
    QTest::newRow("gone from the queue after the program ended") << "" << 0 << "completed";
    QTest::newRow("gone from the queue without a trace") << "" << -1 << "vanished from the queue";
}

void TestJobScript::statesForThePage()
{
    QFETCH(QString, queueLine);
    QFETCH(int, exitCode);
    QFETCH(QString, shown);
    SlurmJobState state = queueLine.isEmpty() ? SlurmJobState::vanished(exitCode)
                                              : SlurmJobState::fromQueue(queueLine);
    state.exitCode = exitCode;
    QCOMPARE(state.describe(), shown);
}

QTEST_GUILESS_MAIN(TestJobScript)
#include "test_jobscript.moc"
