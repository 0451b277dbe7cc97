// Batch conversion from the command line, run as a user would run the program.
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestBatchConversion : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir home;
    QScopedPointer<QTemporaryDir> work;

    // Runs the program to its end; the exit code and standard output of the run. Without a
    // display, the program finds none: neither an X server nor a stand-in platform.
    int run(const QStringList &arguments, QString &output, bool display = true)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        if (display) {
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        } else {
            for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                environment.remove(QString::fromLatin1(name));
        }
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(work->path());
        process.start(QStringLiteral(VORPEN_BINARY_DIR "/vorpen"), arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return -2;
        output = QString::fromLocal8Bit(process.readAllStandardOutput());
        return process.exitCode();
    }
    QString copyExample(const QString &example, const QString &name)
    {
        QFile::copy(QStringLiteral(VORPEN_SOURCE_DIR "/examples/") + example, work->filePath(name));
        return work->filePath(name);
    }
    QString read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    bool passes70(const QString &text)
    {
        QStringList lines = text.split(QLatin1Char('\n'));
        SyntaxAnalyzer analyzer(QStringLiteral("ZEL_Syntax_7-0.xml"));
        int line = -1;
        Node *failed = nullptr;
        return analyzer.analyze(&lines, line, failed);
    }

private slots:
    void initTestCase()
    {
        Q_INIT_RESOURCE(MyRes);
        QVERIFY(QFileInfo::exists(QStringLiteral(VORPEN_BINARY_DIR "/vorpen")));
    }
    void init()
    {
        work.reset(new QTemporaryDir);
        QVERIFY(QDir(work->path()).mkdir(QStringLiteral("out")));
    }

    void oneFile()
    {
        const QString input =
            copyExample(QStringLiteral("legacy_binary_solidification_v64_dri.txt"), "x_dri.txt");
        QString output;
        QCOMPARE(run({"-convert", "out", "x_dri.txt"}, output), 0);
        QCOMPARE(output, input + QStringLiteral(" ... ok\n"));
        QVERIFY(passes70(read(work->filePath("out/x_dri.txt"))));
    }

    // A file that fails its 7.0 check is stored all the same; the outcomes keep argument order.
    void twoFiles()
    {
        const QString failing =
            copyExample(QStringLiteral("thermal_1d_latent_heat_v64_dri.txt"), "b.dri");
        const QString good =
            copyExample(QStringLiteral("legacy_binary_solidification_v64_dri.txt"), "a.dri");
        QString output;
        QCOMPARE(run({"-convert", work->filePath("out"), "b.dri", "a.dri"}, output), 0);
        QCOMPARE(output,
                 failing + QStringLiteral(" ... failed\n") + good + QStringLiteral(" ... ok\n"));
        QVERIFY(!passes70(read(work->filePath("out/b.dri"))));
        QVERIFY(read(work->filePath("out/b.dri")).contains(QStringLiteral("\nend_of_phases\n")));
        QVERIFY(passes70(read(work->filePath("out/a.dri"))));
    }

    void unreadableFileWritesNothing()
    {
        const QString good =
            copyExample(QStringLiteral("legacy_binary_solidification_v64_dri.txt"), "a.dri");
        QString output;
        QCOMPARE(run({"-convert", "out", "missing.dri", "a.dri"}, output), 0);
        QCOMPARE(output, work->filePath("missing.dri") + QStringLiteral(" ... failed\n") + good +
                             QStringLiteral(" ... ok\n"));
        QCOMPARE(QDir(work->filePath("out")).entryList(QDir::Files), QStringList{"a.dri"});
    }

    void runsWithoutDisplay()
    {
        const QString input =
            copyExample(QStringLiteral("legacy_binary_solidification_v64_dri.txt"), "x_dri.txt");
        QString output;
        QCOMPARE(run({"-convert", "out", "x_dri.txt"}, output, false), 0);
        QCOMPARE(output, input + QStringLiteral(" ... ok\n"));
        QVERIFY(passes70(read(work->filePath("out/x_dri.txt"))));
    }

    void ownDirectoryKeepsWhatCannotBeConverted_data()
    {
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("valid 7.0 file is left as it is")
            << "nucleation_seed_types_dri.txt"
            << " ... ok (already valid 7.0, left as it is)";
        // Stored over the input, the failed conversion replaced a 6.4 file the user still needs.
        QTest::newRow("failed conversion is not written over its input")
            << "thermal_1d_latent_heat_v64_dri.txt"
            << " ... failed (input left as it is)";
    }

    void ownDirectoryKeepsWhatCannotBeConverted()
    {
        QFETCH(QString, example);
        QFETCH(QString, outcome);
        const QString input = copyExample(example, example);
        const QString before = read(input);
        QString output;
        QCOMPARE(run({"-convert", ".", example}, output), 0);
        QCOMPARE(output, input + outcome + QStringLiteral("\n"));
        QCOMPARE(read(input), before);
    }

    void ownDirectoryOverwritesTheInput()
    {
        const QString input =
            copyExample(QStringLiteral("legacy_binary_solidification_v64_dri.txt"), "a_dri");
        QString output;
        QCOMPARE(run({"-convert", ".", "a_dri"}, output), 0);
        QCOMPARE(output, input + QStringLiteral(" ... ok\n"));
        QVERIFY(passes70(read(input)));
    }
};

QTEST_GUILESS_MAIN(TestBatchConversion)
#include "test_batchconversion.moc"
