#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Runs the built program as a user would, with a throw-away home directory.
class TestCommandLine : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir home;
    QTemporaryDir work;

    void start(QProcess &process, const QStringList &arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.remove(QStringLiteral("ZELMORA_Bin"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(work.path());
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start(QStringLiteral(VORPEN_BINARY_DIR "/vorpen"), arguments);
        QVERIFY(process.waitForStarted());
    }
    // For runs that leave by themselves.
    void runToEnd(const QStringList &arguments, int &exitCode, QString &output)
    {
        QProcess process;
        start(process, arguments);
        QVERIFY2(process.waitForFinished(60000), "the program did not leave");
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        exitCode = process.exitCode();
        output = QString::fromLocal8Bit(process.readAllStandardOutput());
    }
    // For interactive runs: whatever was printed once the window runs, then the process is ended.
    QString outputOfInteractiveRun(const QStringList &arguments)
    {
        QProcess process;
        start(process, arguments);
        const bool left = process.waitForFinished(3000);
        const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
        process.kill();
        process.waitForFinished();
        return left ? QStringLiteral("<left the event loop>") : output;
    }
    QString drivingFile(const QString &name)
    {
        QFile file(work.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write("# a driving file\n");
        return QFileInfo(file).absoluteFilePath();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFileInfo::exists(QStringLiteral(VORPEN_BINARY_DIR "/vorpen")));
        QVERIFY(QDir(work.path()).mkdir(QStringLiteral("out")));
    }

    void missingConvertDirectory_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("printedBefore");
        QTest::newRow("no such directory")
            << QStringList{QStringLiteral("-convert"), QStringLiteral("nosuchdir"),
                           QStringLiteral("x.dri")}
            << QString();
        QTest::newRow("only -convert") << QStringList{QStringLiteral("-convert")} << QString();
        QTest::newRow("a file instead of a directory")
            << QStringList{QStringLiteral("-convert"), QStringLiteral("plain.dri"),
                           QStringLiteral("x.dri")}
            << QString();
        QTest::newRow("second -convert without directory")
            << QStringList{QStringLiteral("a.dri"), QStringLiteral("-convert"),
                           QStringLiteral("out"), QStringLiteral("-convert"),
                           QStringLiteral("nosuchdir")}
            << QStringLiteral("a.dri");
    }
    void missingConvertDirectory()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, printedBefore);
        drivingFile(QStringLiteral("plain.dri"));
        drivingFile(QStringLiteral("a.dri"));
        int exitCode = 0;
        QString output;
        runToEnd(arguments, exitCode, output);
        QCOMPARE(exitCode, 255);
        const QString before = printedBefore.isEmpty() ? QString() : work.filePath(printedBefore);
        QVERIFY2(output.startsWith(before), qPrintable(output));
        QCOMPARE(output.mid(before.size()),
                 QStringLiteral("Please specify an existing convert directory\n"));
    }

    void batchModeLeavesWithZeroAndConvertsOnlyLaterFiles()
    {
        const QString a = drivingFile(QStringLiteral("a.dri"));
        const QString b = drivingFile(QStringLiteral("b_dri.txt"));
        int exitCode = -1;
        QString output;
        runToEnd({QStringLiteral("a.dri"), QStringLiteral("-convert"), QStringLiteral("out"),
                  QStringLiteral("b_dri.txt")},
                 exitCode, output);
        QCOMPARE(exitCode, 0);
        // a.dri is only opened: its path runs straight into the next one.
        QVERIFY2(output.startsWith(a + b), qPrintable(output));
    }

    void unreadableFileFailsWithoutStoppingTheBatch()
    {
        const QString b = drivingFile(QStringLiteral("b.dri"));
        int exitCode = -1;
        QString output;
        runToEnd({QStringLiteral("-convert"), QStringLiteral("out"), QStringLiteral("missing.dri"),
                  QStringLiteral("b.dri")},
                 exitCode, output);
        QCOMPARE(exitCode, 0);
        const QString missing = work.filePath(QStringLiteral("missing.dri"));
        QVERIFY2(output.startsWith(missing + QStringLiteral(" ... failed\n") + b),
                 qPrintable(output));
        QVERIFY(!QFileInfo::exists(work.filePath(QStringLiteral("out/missing.dri"))));
    }

    void trailingConvertKeepsBatchMode()
    {
        drivingFile(QStringLiteral("a.dri"));
        int exitCode = -1;
        QString output;
        runToEnd({QStringLiteral("-convert"), QStringLiteral("out"), QStringLiteral("a.dri"),
                  QStringLiteral("-convert")},
                 exitCode, output);
        QCOMPARE(exitCode, 0);
        QVERIFY(output.startsWith(work.filePath(QStringLiteral("a.dri"))));
        QVERIFY(!output.contains(QLatin1String("Please specify")));
    }

    void interactiveRunPrintsAbsolutePathsWithoutLineEnds()
    {
        const QString a = drivingFile(QStringLiteral("a.dri"));
        const QString b = drivingFile(QStringLiteral("b.dri"));
        QCOMPARE(outputOfInteractiveRun({QStringLiteral("a.dri"), b}), a + b);
    }

    void firstStartWritesTheConfigurationFile()
    {
        const QString rc = home.filePath(QStringLiteral(".vorpenrc7000"));
        QFile::remove(rc);
        QCOMPARE(outputOfInteractiveRun({}), QString());
        QFile file(rc);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 QStringLiteral("zelmora=.../ZELMORA_TQ\ndp=.../DP_ZELMORA.sh\nfontsize=12\n"
                                "recentZelmora = [\n]\n"));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
