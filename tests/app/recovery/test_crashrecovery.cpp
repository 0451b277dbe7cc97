// The real program on a display of its own, typed into as a user types, ended by a signal and
// its text recovered by the next start.
#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/recovery/journalkeeper.h"
#include "app/recovery/recoveryoffer.h"
#include "app/text/customtextedit.h"
#include "app/window/editor.h"
#include "tests/support/dialoganswer.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

class TestCrashRecovery : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void typingSurvivesTheEnd_data();
    void typingSurvivesTheEnd();
    void saveBeyondTheFileSizeLimitFailsVisibly();

private:
    QProcessEnvironment environment() const;
    bool xdotool(const QStringList &arguments, QString *output = nullptr);
    bool startVorpen(const QString &file, const QString &shellPrefix = QString());
    bool typeIntoWindow(const QString &windowName, const QString &text);
    QByteArray recoverAndSave(const QString &file);

    QProcess xvfb;
    QString display;
    QTemporaryDir home;
    QScopedPointer<QTemporaryDir> dir;
    QProcess vorpen;
};

namespace {

const QString typed = QStringLiteral("# typed by hand\nSeed = 17\n");

} // namespace

void TestCrashRecovery::initTestCase()
{
    Q_INIT_RESOURCE(MyRes);
    // Xvfb names the display it took once it accepts clients.
    xvfb.start(QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                QStringLiteral("tcp")});
    QVERIFY2(xvfb.waitForStarted(10000), "Xvfb is missing: run tools/install-deps.sh");
    QTRY_VERIFY_WITH_TIMEOUT(xvfb.canReadLine(), 20000);
    display = QStringLiteral(":") + QString::fromLatin1(xvfb.readLine().trimmed());
    QString version;
    QVERIFY2(xdotool({QStringLiteral("version")}, &version),
             "xdotool is missing: run tools/install-deps.sh");
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_STATE_HOME", home.filePath(QStringLiteral("state")).toLocal8Bit());
}

void TestCrashRecovery::cleanupTestCase()
{
    xvfb.terminate();
    xvfb.waitForFinished(10000);
}

void TestCrashRecovery::init()
{
    dir.reset(new QTemporaryDir);
}

void TestCrashRecovery::cleanup()
{
    if (vorpen.state() != QProcess::NotRunning) {
        vorpen.kill();
        vorpen.waitForFinished(10000);
    }
    QDir(RecoveryFolder::defaultPath()).removeRecursively();
}

QProcessEnvironment TestCrashRecovery::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return env;
}

bool TestCrashRecovery::xdotool(const QStringList &arguments, QString *output)
{
    QProcess tool;
    tool.setProcessEnvironment(environment());
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(30000)) {
        tool.kill();
        tool.waitForFinished();
        return false;
    }
    if (output)
        *output = QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

bool TestCrashRecovery::startVorpen(const QString &file, const QString &shellPrefix)
{
    vorpen.setProcessEnvironment(environment());
    const QString program = QStringLiteral(VORPEN_BINARY_DIR "/vorpen");
    vorpen.start(
        QStringLiteral("sh"),
        {QStringLiteral("-c"), shellPrefix + QStringLiteral("exec \"$0\" \"$1\""), program, file});
    return vorpen.waitForStarted(10000);
}

bool TestCrashRecovery::typeIntoWindow(const QString &windowName, const QString &text)
{
    QString window;
    if (!xdotool({QStringLiteral("search"), QStringLiteral("--sync"),
                  QStringLiteral("--onlyvisible"), QStringLiteral("--name"), windowName},
                 &window))
        return false;
    window = window.section(QLatin1Char('\n'), 0, 0);
    // A click into the text, then to its end, as a user would.
    if (!xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}) ||
        !xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                  QStringLiteral("500"), QStringLiteral("300"), QStringLiteral("click"),
                  QStringLiteral("1")}) ||
        !xdotool({QStringLiteral("key"), QStringLiteral("ctrl+End")}))
        return false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0 && !xdotool({QStringLiteral("key"), QStringLiteral("Return")}))
            return false;
        if (!lines[i].isEmpty() && !xdotool({QStringLiteral("type"), QStringLiteral("--delay"),
                                             QStringLiteral("20"), lines[i]}))
            return false;
    }
    return true;
}

QByteArray TestCrashRecovery::recoverAndSave(const QString &file)
{
    Editor editor(home.filePath(QStringLiteral(".vorpenrc7000")));
    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("Recover"));
    editor.journalKeeper->offersEnabled = true;
    offerRecovery(&editor);
    if (seen.title != QLatin1String("Recover Unsaved Text") || !editor.slotSave())
        return "<not recovered>";
    QFile saved(file);
    return saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray("<missing>");
}

void TestCrashRecovery::typingSurvivesTheEnd_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<int>("pauseMs"); // after the last keystroke
    // Killed outright, the journal written once typing paused is all there is.
    QTest::newRow("SIGKILL after a pause of the idle time")
        << int(SIGKILL) << JournalKeeper::idleMs + 500;
    // Ended by the session, the program journals what was typed up to the end.
    QTest::newRow("SIGTERM right after typing") << int(SIGTERM) << 100;
    QTest::newRow("SIGHUP right after typing") << int(SIGHUP) << 100;
}

void TestCrashRecovery::typingSurvivesTheEnd()
{
    QFETCH(int, signal);
    QFETCH(int, pauseMs);
    const QByteArray original("# a driving file\nalpha\n");
    const QString file = dir->filePath(QStringLiteral("a_dri.txt"));
    QFile fixture(file);
    QVERIFY(fixture.open(QIODevice::WriteOnly));
    fixture.write(original);
    fixture.close();

    QVERIFY(startVorpen(file));
    QVERIFY(typeIntoWindow(QStringLiteral("a_dri.txt"), typed));
    QTest::qWait(pauseMs);
    if (signal == SIGKILL) {
        // The live instance's journal is there, but not offered to a second instance.
        JournalKeeper second(RecoveryFolder::defaultPath());
        QCOMPARE(
            QDir(RecoveryFolder::defaultPath()).entryList({QStringLiteral("*.journal")}).size(), 1);
        QVERIFY(second.folder().orphanedJournals().isEmpty());
    }
    ::kill(pid_t(vorpen.processId()), signal);
    QVERIFY(vorpen.waitForFinished(20000));

    QCOMPARE(QString::fromUtf8(recoverAndSave(file)), QString::fromUtf8(original) + typed);
}

void TestCrashRecovery::saveBeyondTheFileSizeLimitFailsVisibly()
{
    const QByteArray original = QByteArray("# a driving file\n") + QByteArray(14000, 'x') + '\n';
    const QString file = dir->filePath(QStringLiteral("big_dri.txt"));
    QFile fixture(file);
    QVERIFY(fixture.open(QIODevice::WriteOnly));
    fixture.write(original);
    fixture.close();

    QVERIFY(startVorpen(file, QStringLiteral("ulimit -f 8; ")));
    QVERIFY(typeIntoWindow(QStringLiteral("big_dri.txt"), QStringLiteral("y")));
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+s")}));
    QVERIFY(xdotool({QStringLiteral("search"), QStringLiteral("--sync"),
                     QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                     QStringLiteral("IO Error")}));
    QCOMPARE(vorpen.state(), QProcess::Running);
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), original);
}

QTEST_MAIN(TestCrashRecovery)
#include "test_crashrecovery.moc"
