#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/recovery/journalkeeper.h"
#include "app/recovery/recoveryoffer.h"
#include "app/text/customtextedit.h"
#include "app/window/editor.h"
#include "run/runrecord.h"
#include "tests/support/dialoganswer.h"
#include "tests/support/endedinstance.h"

#include <QTemporaryDir>
#include <QtTest>

class TestRecoveryOffer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void journalFollowsTypingUntilTheUserDecides_data();
    void journalFollowsTypingUntilTheUserDecides();
    void offerAnswers_data();
    void offerAnswers();
    void unreadableJournalIsNamedAndKept();
    void recoveredFileWithALiveRunSaysSo();

private:
    QString write(const QString &name, const QByteArray &content);
    QStringList journals() const;

    QTemporaryDir home;
    QScopedPointer<QTemporaryDir> dir;
    Editor *editor = nullptr;
};

void TestRecoveryOffer::initTestCase()
{
    Q_INIT_RESOURCE(MyRes);
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_STATE_HOME", home.filePath(QStringLiteral("state")).toLocal8Bit());
}

void TestRecoveryOffer::init()
{
    dir.reset(new QTemporaryDir);
    editor = new Editor(home.filePath(QStringLiteral(".vorpenrc7000")));
}

void TestRecoveryOffer::cleanup()
{
    delete editor;
    editor = nullptr;
    QDir(RecoveryFolder::defaultPath()).removeRecursively();
}

QString TestRecoveryOffer::write(const QString &name, const QByteArray &content)
{
    QFile file(dir->filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write fixture");
    return QFileInfo(file).absoluteFilePath();
}

QStringList TestRecoveryOffer::journals() const
{
    return QDir(RecoveryFolder::defaultPath()).entryList({QStringLiteral("*.journal")});
}

void TestRecoveryOffer::journalFollowsTypingUntilTheUserDecides_data()
{
    QTest::addColumn<QString>("decision");
    QTest::newRow("saving removes the journal") << "save";
    QTest::newRow("closing without saving removes it") << "Discard";
    QTest::newRow("a cancelled close keeps it") << "Cancel";
}

void TestRecoveryOffer::journalFollowsTypingUntilTheUserDecides()
{
    QFETCH(QString, decision);
    QVERIFY(editor->loadFile(write(QStringLiteral("a_dri.txt"), "alpha\n"), false));
    editor->slotChangeTab(0);
    QTest::keyClicks(editor->currentTab->textEdit, QStringLiteral("typed "));
    QTRY_COMPARE_WITH_TIMEOUT(journals().size(), 1, JournalKeeper::idleMs + 2000);
    Journal journal;
    QVERIFY(readJournal(RecoveryFolder::defaultPath() + QLatin1Char('/') + journals().constFirst(),
                        journal));
    QCOMPARE(journal.text, QStringLiteral("typed alpha\n"));
    QCOMPARE(journal.path,
             QFileInfo(dir->filePath(QStringLiteral("a_dri.txt"))).absoluteFilePath());

    SeenDialog seen;
    if (decision == QLatin1String("save")) {
        QVERIFY(editor->slotSave());
    } else {
        clickInNextDialog(&seen, decision);
        editor->slotCloseTab(0);
        QCOMPARE(seen.title, QStringLiteral("Modified File"));
    }
    QTest::qWait(10);
    editor->journalKeeper->waitForWriter();
    QCOMPARE(journals().size(), decision == QLatin1String("Cancel") ? 1 : 0);
}

void TestRecoveryOffer::offerAnswers_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("changedOnDisk");
    QTest::addColumn<QString>("pageText");
    QTest::addColumn<QString>("tab");
    QTest::addColumn<int>("journalsLeft");
    QTest::newRow("recover binds the text to its file, marked unsaved")
        << "Recover" << false << "alpha\nrecovered\n"
        << "* a_dri.txt" << 1;
    QTest::newRow("a changed file is named and recovering still takes the journal")
        << "Recover" << true << "alpha\nrecovered\n"
        << "* a_dri.txt" << 1;
    QTest::newRow("discard deletes the journal") << "Discard" << false << ""
                                                 << "Untitled" << 0;
    QTest::newRow("decide later keeps it") << "Decide Later" << true << ""
                                           << "Untitled" << 1;
}

void TestRecoveryOffer::offerAnswers()
{
    QFETCH(QString, answer);
    QFETCH(bool, changedOnDisk);
    QFETCH(QString, pageText);
    QFETCH(QString, tab);
    QFETCH(int, journalsLeft);
    const QString a = write(QStringLiteral("a_dri.txt"), "alpha\n");
    Journal left;
    left.path = a;
    left.base = fileBaseOf(a);
    left.grammar = QStringLiteral("ZEL_Syntax_7-0.xml");
    left.written = QDateTime::currentDateTime();
    left.text = QStringLiteral("alpha\nrecovered\n");
    QVERIFY(leaveJournalOfEndedInstance(RecoveryFolder::defaultPath(), left));
    if (changedOnDisk)
        write(QStringLiteral("a_dri.txt"), "alpha, changed elsewhere\n");

    SeenDialog seen;
    clickInNextDialog(&seen, answer);
    editor->journalKeeper->offersEnabled = true;
    offerRecovery(editor);
    editor->journalKeeper->waitForWriter();

    QCOMPARE(seen.title, QStringLiteral("Recover Unsaved Text"));
    QVERIFY(seen.text.contains(a));
    QCOMPARE(seen.text.contains(QStringLiteral("changed after")), changedOnDisk);
    QCOMPARE(editor->tabWidget->count(), 1);
    QCOMPARE(editor->currentTab->textEdit->toPlainText(), pageText);
    QCOMPARE(editor->tabWidget->tabText(0), tab);
    QCOMPARE(journals().size(), journalsLeft);
    if (answer == QLatin1String("Recover")) {
        QVERIFY(editor->slotSave());
        QFile saved(a);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), pageText.toUtf8());
    }
}

void TestRecoveryOffer::unreadableJournalIsNamedAndKept()
{
    Journal left;
    left.text = QStringLiteral("x");
    QVERIFY(leaveJournalOfEndedInstance(RecoveryFolder::defaultPath(), left));
    const QString file = RecoveryFolder::defaultPath() + QLatin1Char('/') + journals().constFirst();
    QFile damaged(file);
    QVERIFY(damaged.open(QIODevice::Append));
    damaged.write("more");
    damaged.close();

    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    editor->journalKeeper->offersEnabled = true;
    offerRecovery(editor);
    QVERIFY(seen.text.contains(file));
    QVERIFY(QFile::exists(file));
}

void TestRecoveryOffer::recoveredFileWithALiveRunSaysSo()
{
    QFile example(QStringLiteral(VORPEN_SOURCE_DIR "/examples/grain_growth_2d_dri.txt"));
    QVERIFY(example.open(QIODevice::ReadOnly));
    const QByteArray text = example.readAll();
    const QString path = write(QStringLiteral("run_dri.txt"), text);
    QVERIFY(editor->loadFile(path, false));
    const QString screenFile = editor->currentTab->screenFile;
    QVERIFY(!screenFile.isEmpty());
    QVERIFY(QDir().mkpath(QFileInfo(screenFile).path()));
    // The simulation that went on when its editor died: this process stands in for it.
    RunRecord record;
    record.drivingFile = path;
    record.pid = QCoreApplication::applicationPid();
    record.processStart = processStartOf(record.pid);
    record.started = QDateTime::currentDateTime();
    QVERIFY(writeRunRecord(runRecordFile(screenFile), record));
    QVERIFY(editor->slotCloseTab(0));

    Journal left;
    left.path = path;
    left.base = fileBaseOf(path);
    left.text = QString::fromUtf8(text) + QStringLiteral("# typed\n");
    QVERIFY(leaveJournalOfEndedInstance(RecoveryFolder::defaultPath(), left));
    SeenDialog offer;
    SeenDialog told;
    onNextDialog(&offer, [&told](QDialog *dialog) {
        clickInNextDialog(&told, QStringLiteral("OK"));
        const QList<QAbstractButton *> buttons = dialog->findChildren<QAbstractButton *>();
        for (QAbstractButton *button : buttons) {
            if (button->text() == QLatin1String("Recover"))
                button->click();
        }
    });
    editor->journalKeeper->offersEnabled = true;
    offerRecovery(editor);
    QTRY_VERIFY(told.shown);
    QCOMPARE(told.title, QStringLiteral("Simulation still running"));
    QVERIFY(told.text.contains(QString::number(record.pid)));
    QCOMPARE(editor->currentTab->textEdit->toPlainText(), left.text);
}

QTEST_MAIN(TestRecoveryOffer)
#include "test_recoveryoffer.moc"
