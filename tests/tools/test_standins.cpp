#include "app/window/editor.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <signal.h>

namespace {

const QString standInDir = QStringLiteral(VORPEN_BINARY_DIR "/standins");
const QString simulation = standInDir + QStringLiteral("/ZELMORA_TQ");

struct Outcome
{
    QStringList lines;
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
};

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(file.readAll())
                                                            : QString();
}

QString fixture()
{
    return readAll(QStringLiteral(VORPEN_TEST_DIR "/standins/run_dri.txt"));
}

bool isDataLine(const QString &line)
{
    const QString trimmed = line.trimmed();
    return !trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('#')) &&
           !trimmed.startsWith(QLatin1Char('!'));
}

QStringList dataLines(const QString &text)
{
    QStringList data;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines)
        if (isDataLine(line))
            data << line.trimmed();
    return data;
}

void setEnvironment(QProcess &process, const QMap<QString, QString> &knobs)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZELMORA_STANDIN_DELAY"), QStringLiteral("0"));
    for (auto it = knobs.begin(); it != knobs.end(); ++it)
        environment.insert(it.key(), it.value());
    process.setProcessEnvironment(environment);
}

// Runs the stand-in to its end with standard input closed, as a test harness would.
Outcome run(const QStringList &arguments, const QMap<QString, QString> &knobs = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    setEnvironment(process, knobs);
    process.start(simulation, arguments);
    process.closeWriteChannel();
    Outcome outcome;
    if (!process.waitForFinished(30000))
        return outcome;
    outcome.lines = QString::fromUtf8(process.readAll()).split(QLatin1Char('\n'));
    if (outcome.lines.last().isEmpty())
        outcome.lines.removeLast();
    outcome.exitCode = process.exitCode();
    outcome.status = process.exitStatus();
    return outcome;
}

// The screen lines between the banner and the first line that is not an echo.
QStringList echoed(const QStringList &screen, int count)
{
    return screen.mid(1, count);
}

bool waitForOutput(QProcess &process, QByteArray &seen, const QByteArray &text)
{
    QElapsedTimer timer;
    timer.start();
    while (!seen.contains(text) && timer.elapsed() < 20000) {
        process.waitForReadyRead(200);
        seen += process.readAll();
    }
    return seen.contains(text);
}

} // namespace

class TestStandIns : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void versionAnswer();
    void versionHangsOnRequest();
    void unknownOption();
    void goodRun_data();
    void goodRun();
    void syntaxOnlyRun();
    void refusedLine_data();
    void refusedLine();
    void endOfFile();
    void tooMuchInput();
    void switchesToKeyboardWithoutNoswitch();
    void waitsForKey();
    void fatalEnds_data();
    void fatalEnds();
    void signalsStopContinueKill();
    void resultNameWithBackslashes();
    void displayRecordsArguments();
    void editorFindsRefusedLine_data();
    void editorFindsRefusedLine();
    void editorListsResultFiles();

private:
    QString write(const QString &text);
    QString resultPath(const QString &suffix) const;

    std::unique_ptr<QTemporaryDir> dir;
    QTemporaryDir home;
    Editor *editor = nullptr;
};

// The editor reads the stand-in's screen output and result directory; it needs a home of its own.
void TestStandIns::initTestCase()
{
    Q_INIT_RESOURCE(MyRes);
    qputenv("HOME", home.path().toLocal8Bit());
    editor = new Editor(home.filePath(QStringLiteral(".vorpenrc7000")));
}

void TestStandIns::cleanupTestCase()
{
    delete editor;
}

void TestStandIns::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
}

QString TestStandIns::write(const QString &text)
{
    const QString path = dir->filePath(QStringLiteral("run_dri.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return QString();
    file.write(text.toUtf8());
    return path;
}

QString TestStandIns::resultPath(const QString &suffix) const
{
    return dir->filePath(QStringLiteral("Results/Test") + suffix);
}

void TestStandIns::versionAnswer()
{
    const Outcome outcome = run({QStringLiteral("-v")});
    QCOMPARE(outcome.status, QProcess::NormalExit);
    QCOMPARE(outcome.exitCode, 0);
    QVERIFY(outcome.lines.join(QLatin1Char('\n')).contains(QLatin1String("ZELMORA version")));
}

void TestStandIns::versionHangsOnRequest()
{
    QProcess process;
    setEnvironment(process, {{QStringLiteral("ZELMORA_STANDIN_HANG"), QStringLiteral("version")}});
    process.start(simulation, {QStringLiteral("-v")});
    QVERIFY(process.waitForStarted());
    QVERIFY(!process.waitForFinished(1000));
    process.kill();
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitStatus(), QProcess::CrashExit);
    QVERIFY(process.readAll().isEmpty());
}

void TestStandIns::unknownOption()
{
    const Outcome outcome = run({write(fixture()), QStringLiteral("-fast")});
    QCOMPARE(outcome.exitCode, 2);
    QCOMPARE(outcome.lines, QStringList{QStringLiteral("Unrecognised input: -fast")});
}

void TestStandIns::goodRun_data()
{
    QTest::addColumn<bool>("vtk");
    QTest::newRow("vtk output chosen") << true;
    QTest::newRow("no vtk output") << false;
}

void TestStandIns::goodRun()
{
    QFETCH(bool, vtk);
    QString text = fixture();
    if (!vtk)
        text.replace(QStringLiteral("overwrite zipped vtk"), QStringLiteral("overwrite"))
            .replace(QStringLiteral("\nbinary_zip\n"), QStringLiteral("\n"));
    const QString path = write(text);
    const Outcome outcome = run({path, QStringLiteral("-noswitch")},
                                {{QStringLiteral("ZELMORA_STANDIN_STEPS"), QStringLiteral("3")}});
    QCOMPARE(outcome.exitCode, 0);

    const QStringList data = dataLines(text);
    QCOMPARE(echoed(outcome.lines, data.size()), data);
    const QStringList rest = outcome.lines.mid(1 + data.size());
    QCOMPARE(rest.value(0), QStringLiteral("Beginning of initialisation"));
    QCOMPARE(rest.filter(QRegularExpression(QStringLiteral("^Step \\d of 3:"))).size(), 3);
    QVERIFY(rest.last().startsWith(QLatin1String("Wall clock time")));

    QCOMPARE(readAll(resultPath(QStringLiteral(".in"))), text + QLatin1Char('\n'));
    QVERIFY(readAll(resultPath(QStringLiteral(".log"))).contains(QLatin1String("Wall clock time")));
    QCOMPARE(readAll(resultPath(QStringLiteral(".TabF"))).count(QLatin1Char('\n')), 4);
    QVERIFY(QFileInfo(resultPath(QStringLiteral(".phas"))).size() > 0);
    QCOMPARE(QFileInfo::exists(resultPath(QStringLiteral("_phas.vtk"))), vtk);
}

void TestStandIns::syntaxOnlyRun()
{
    const Outcome outcome =
        run({write(fixture()), QStringLiteral("-noswitch"), QStringLiteral("-syntax")});
    QCOMPARE(outcome.exitCode, 0);
    QVERIFY(outcome.lines.contains(QStringLiteral("Beginning of initialisation")));
    QVERIFY(outcome.lines.last().startsWith(QLatin1String("Wall clock time")));
    QVERIFY(outcome.lines.filter(QStringLiteral("Step ")).isEmpty());
    QVERIFY(QFileInfo::exists(resultPath(QStringLiteral(".in"))));
    QVERIFY(!QFileInfo::exists(resultPath(QStringLiteral(".phas"))));
}

namespace {

// The fixture marks some data lines with a comment line just before them.
QString replaceLineAfter(const QString &text, const QString &comment, const QString &replacement)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    const int at = lines.indexOf(comment);
    if (at >= 0 && at + 1 < lines.size())
        lines[at + 1] = replacement;
    return lines.join(QLatin1Char('\n'));
}

int dataLinesBefore(const QString &text, const QString &comment)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    return dataLines(lines.mid(0, lines.indexOf(comment)).join(QLatin1Char('\n'))).size();
}

const QString languageMark = QStringLiteral("# language");
const QString cellsMark = QStringLiteral("# cells in x");

} // namespace

void TestStandIns::refusedLine_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("wording");
    QTest::addColumn<bool>("refusedLineEchoed");
    QTest::newRow("english") << QStringLiteral("english") << QStringLiteral("Input error") << false;
    QTest::newRow("german") << QStringLiteral("german") << QStringLiteral("Eingabefehler") << true;
    QTest::newRow("french") << QStringLiteral("french") << QStringLiteral("Erreur de lecture")
                            << true;
}

void TestStandIns::refusedLine()
{
    QFETCH(QString, language);
    QFETCH(QString, wording);
    QFETCH(bool, refusedLineEchoed);
    QString text = replaceLineAfter(fixture(), languageMark, language);
    text = replaceLineAfter(text, cellsMark, QStringLiteral("many"));
    const Outcome outcome = run({write(text), QStringLiteral("-noswitch")});
    QCOMPARE(outcome.exitCode, 1);

    const int accepted = dataLinesBefore(text, cellsMark);
    const QStringList data = dataLines(text);
    const int shown = accepted + (refusedLineEchoed ? 1 : 0);
    QCOMPARE(echoed(outcome.lines, shown), data.mid(0, shown));
    QCOMPARE(outcome.lines.size(), 1 + shown + 1);
    QVERIFY2(outcome.lines.last().startsWith(wording), qPrintable(outcome.lines.last()));
    QVERIFY(outcome.lines.last().contains(QLatin1String("CellsX")));

    const QStringList lines = text.split(QLatin1Char('\n'));
    const QString expectedIn =
        lines.mid(0, lines.indexOf(cellsMark) + 1).join(QLatin1Char('\n')) + "\n__END__\n";
    QCOMPARE(readAll(resultPath(QStringLiteral(".in"))), expectedIn);
}

void TestStandIns::endOfFile()
{
    QStringList lines = fixture().split(QLatin1Char('\n'));
    const QString text = lines.mid(0, lines.indexOf(cellsMark) + 1).join(QLatin1Char('\n'));
    const Outcome outcome = run({write(text), QStringLiteral("-noswitch")});
    QCOMPARE(outcome.exitCode, 1);
    const QStringList data = dataLines(text);
    QCOMPARE(echoed(outcome.lines, data.size()), data);
    QCOMPARE(outcome.lines.last(), QStringLiteral("Input error: the driving file ended before "
                                                  "parameter CellsX (integer) was given"));
    QVERIFY(readAll(resultPath(QStringLiteral(".in"))).endsWith(QLatin1String("__END__\n")));
}

void TestStandIns::tooMuchInput()
{
    const QString text = fixture() + QStringLiteral("\nsurplus\n");
    const Outcome outcome = run({write(text), QStringLiteral("-noswitch")});
    QCOMPARE(outcome.exitCode, 1);
    QCOMPARE(echoed(outcome.lines, dataLines(fixture()).size()), dataLines(fixture()));
    QVERIFY(outcome.lines.last().startsWith(QLatin1String("Input error in line")));
    QVERIFY(outcome.lines.last().endsWith(QLatin1String("\"surplus\"")));
}

void TestStandIns::switchesToKeyboardWithoutNoswitch()
{
    const QString text = replaceLineAfter(fixture(), cellsMark, QStringLiteral("many"));
    const Outcome outcome = run({write(text)});
    QCOMPARE(outcome.exitCode, 1);
    const QString screen = outcome.lines.join(QLatin1Char('\n'));
    QVERIFY(screen.contains(QLatin1String("between file and keyboard input")));
    QVERIFY(screen.contains(QLatin1String("Reverting to keyboard input")));
}

void TestStandIns::waitsForKey()
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    setEnvironment(process, {{QStringLiteral("ZELMORA_STANDIN_KEY"), QStringLiteral("run")},
                             {QStringLiteral("ZELMORA_STANDIN_STEPS"), QStringLiteral("1")}});
    process.start(simulation, {write(fixture()), QStringLiteral("-noswitch")});
    QByteArray seen;
    QVERIFY(waitForOutput(process, seen, "Press any key"));
    QVERIFY(!process.waitForFinished(500));
    QVERIFY(!seen.contains("Wall clock time"));
    process.write("\n");
    QVERIFY(process.waitForFinished(10000));
    seen += process.readAll();
    QVERIFY(seen.contains("Wall clock time"));
    QCOMPARE(process.exitCode(), 0);
}

void TestStandIns::fatalEnds_data()
{
    QTest::addColumn<QString>("knob");
    QTest::addColumn<QString>("marker");
    QTest::newRow("stop") << QStringLiteral("stop") << QStringLiteral("STOP in routine");
    QTest::newRow("message") << QStringLiteral("message") << QStringLiteral("MESSAGE");
}

void TestStandIns::fatalEnds()
{
    QFETCH(QString, knob);
    QFETCH(QString, marker);
    const Outcome outcome = run({write(fixture()), QStringLiteral("-noswitch")},
                                {{QStringLiteral("ZELMORA_STANDIN_FAIL"), knob},
                                 {QStringLiteral("ZELMORA_STANDIN_STEPS"), QStringLiteral("4")}});
    QCOMPARE(outcome.exitCode, 3);
    QVERIFY(outcome.lines.last().startsWith(marker));
    QVERIFY(outcome.lines.at(outcome.lines.size() - 2).startsWith(QLatin1String("Step 2 of 4")));
}

void TestStandIns::signalsStopContinueKill()
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    setEnvironment(process, {{QStringLiteral("ZELMORA_STANDIN_DELAY"), QStringLiteral("100")},
                             {QStringLiteral("ZELMORA_STANDIN_STEPS"), QStringLiteral("1000")}});
    process.start(simulation, {write(fixture()), QStringLiteral("-noswitch")});
    QByteArray seen;
    QVERIFY(waitForOutput(process, seen, "Step 1 of"));
    const auto pid = static_cast<pid_t>(process.processId());

    QCOMPARE(::kill(pid, SIGSTOP), 0);
    process.waitForReadyRead(300);
    seen += process.readAll();
    const int stoppedAt = seen.size();
    process.waitForReadyRead(800);
    seen += process.readAll();
    QCOMPARE(seen.size(), stoppedAt);

    QCOMPARE(::kill(pid, SIGCONT), 0);
    QVERIFY(process.waitForReadyRead(5000));
    process.kill();
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitStatus(), QProcess::CrashExit);
}

void TestStandIns::resultNameWithBackslashes()
{
    const QString text =
        fixture().replace(QStringLiteral("Results/Test"), QStringLiteral("out\\deeper\\Named"));
    const Outcome outcome =
        run({write(text), QStringLiteral("-noswitch"), QStringLiteral("-syntax")});
    QCOMPARE(outcome.exitCode, 0);
    QVERIFY(QFileInfo::exists(dir->filePath(QStringLiteral("out/deeper/Named.in"))));
}

void TestStandIns::displayRecordsArguments()
{
    const QString record = dir->filePath(QStringLiteral("arguments.txt"));
    const QStringList files{dir->filePath(QStringLiteral("Test.phas")),
                            dir->filePath(QStringLiteral("with blank/Test_phas.vtk"))};
    QProcess display;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DP_ZELMORA_RECORD"), record);
    environment.insert(QStringLiteral("DP_ZELMORA_CLOSE_MS"), QStringLiteral("200"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    display.setProcessEnvironment(environment);
    display.start(standInDir + QStringLiteral("/DP_ZELMORA.sh"), files);
    QVERIFY(display.waitForFinished(20000));
    QCOMPARE(display.exitStatus(), QProcess::NormalExit);
    QCOMPARE(display.exitCode(), 0);
    QCOMPARE(readAll(record), files.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void TestStandIns::editorFindsRefusedLine_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("refused");
    QTest::addColumn<bool>("appended");
    for (const char *language : {"english", "german", "french"}) {
        const QString name = QString::fromLatin1(language);
        QTest::addRow("%s, refused value", language) << name << QStringLiteral("many") << false;
        QTest::addRow("%s, surplus line", language) << name << QStringLiteral("surplus") << true;
    }
    QTest::newRow("good file") << QStringLiteral("english") << QString() << false;
}

// After a refused run the editor puts the cursor on the line the stand-in refused.
void TestStandIns::editorFindsRefusedLine()
{
    QFETCH(QString, language);
    QFETCH(QString, refused);
    QFETCH(bool, appended);
    QString text = replaceLineAfter(fixture(), languageMark, language);
    if (appended)
        text += refused + QLatin1Char('\n');
    else if (!refused.isEmpty())
        text = replaceLineAfter(text, cellsMark, refused);
    const Outcome outcome = run({write(text), QStringLiteral("-noswitch")});
    QString screen = outcome.lines.join(QLatin1Char('\n'));
    const int count = editor->getValidParameterCount(&screen);
    if (refused.isEmpty()) {
        QCOMPARE(count, -1);
        return;
    }
    const int expected = text.indexOf(QLatin1Char('\n') + refused + QLatin1Char('\n')) + 1;
    QVERIFY(expected > 0);
    QCOMPARE(editor->getPositionOfParameter(&text, count + 1), expected);
}

void TestStandIns::editorListsResultFiles()
{
    const Outcome outcome = run({write(fixture()), QStringLiteral("-noswitch")},
                                {{QStringLiteral("ZELMORA_STANDIN_STEPS"), QStringLiteral("1")}});
    QCOMPARE(outcome.exitCode, 0);
    QStringList listed =
        editor->getFileList(dir->filePath(QStringLiteral("Results")), QStringLiteral("Test"));
    listed.sort();
    QCOMPARE(listed,
             (QStringList{"Test.TabF", "Test.in", "Test.log", "Test.phas", "Test_phas.vtk"}));
}

QTEST_MAIN(TestStandIns)
#include "test_standins.moc"
