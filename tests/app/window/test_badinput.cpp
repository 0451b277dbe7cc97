#include "app/commandline/batchconversion.h"
#include "app/commandline/commandline.h"
#include "app/config/configuration.h"
#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/text/customtextedit.h"
#include "app/window/editor.h"
#include "tests/support/dialoganswer.h"
#include "tests/support/dropevent.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

// Files that are not what the editor expects: it says so, the user decides, and no file changes
// unless the user saves it.
class TestBadInput : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void doubtfulContentAsksFirst_data();
    void doubtfulContentAsksFirst();
    void largeFileAsksBeforeReading_data();
    void largeFileAsksBeforeReading();
    void directoryOnTheCommandLine();
    void directoryInTheOpenDialog();
    void directoryAndWebLinkDropped();
    void pipeIsRefusedWithoutWaiting();
    void unreadableFileIsRefused();
    void fileDeletedWhileOpen();
    void fileReplacedByAnOlderOne();
    void readOnlyFileKeepsItsContent();
    void readOnlyDirectoryGetsNoFile();
    void pathsWithBlanksAndUmlauts();
    void garbageConfiguration();
    void truncatedConfiguration_data();
    void truncatedConfiguration();

private:
    QString write(const QString &name, const QByteArray &content);
    QByteArray read(const QString &path) const;
    QString tabText(int index) const { return editor->tabWidget->tabText(index); }
    void restartEditor();
    bool lock(const QString &path);

    QTemporaryDir home;
    QStringList locked;
    QString rcPath;
    QScopedPointer<QTemporaryDir> dir; // fresh for each test
    Editor *editor = nullptr;
};

static bool runsAsRoot()
{
    return geteuid() == 0;
}

// Root writes regardless of permissions, but not into what carries the immutable flag.
static bool setImmutable(const QString &path, bool on)
{
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    close(fd);
    return done;
}

// Keeps the file or folder at path from being written; false where that cannot be arranged.
bool TestBadInput::lock(const QString &path)
{
    locked << path;
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    return QFile::setPermissions(path, readOnly) && (!runsAsRoot() || setImmutable(path, true));
}

void TestBadInput::initTestCase()
{
    Q_INIT_RESOURCE(MyRes);
    qputenv("HOME", home.path().toLocal8Bit());
    rcPath = home.filePath(QStringLiteral(".vorpenrc7000"));
}

void TestBadInput::init()
{
    dir.reset(new QTemporaryDir);
    QFile::remove(rcPath);
    editor = new Editor(rcPath);
}

void TestBadInput::cleanup()
{
    delete editor;
    editor = nullptr;
    // Lets the temporary folder go.
    for (const QString &path : qAsConst(locked)) {
        if (runsAsRoot())
            setImmutable(path, false);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ExeOwner);
    }
    locked.clear();
}

void TestBadInput::restartEditor()
{
    delete editor;
    editor = new Editor(rcPath);
}

QString TestBadInput::write(const QString &name, const QByteArray &content)
{
    const QString path = dir->filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write fixture");
    return QFileInfo(path).absoluteFilePath();
}

QByteArray TestBadInput::read(const QString &path) const
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void TestBadInput::doubtfulContentAsksFirst_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shown");
    QTest::newRow("NUL bytes") << QByteArray("english\0\x01\x02\n", 11) << "Binary file"
                               << QStringLiteral("english") + QChar(0) + "\x01\x02\n";
    QTest::newRow("Latin-1 letters")
        << QByteArray("# Gr\xf6\xdf"
                      "e\nenglish\n")
        << "Invalid UTF-8" << QStringLiteral("# Gr\uFFFD\uFFFDe\nenglish\n");
}

void TestBadInput::doubtfulContentAsksFirst()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, title);
    QFETCH(QString, shown);
    const QString path = write(QStringLiteral("odd_dri.txt"), content);

    SeenDialog declined;
    clickInNextDialog(&declined, QStringLiteral("Cancel"));
    QVERIFY(!editor->loadFile(path, false));
    QCOMPARE(declined.title, title);
    QVERIFY(declined.text.contains(path));
    QCOMPARE(editor->tabWidget->count(), 1);
    QCOMPARE(tabText(0), QStringLiteral("Untitled"));
    QVERIFY(!editor->configuration->recentFiles.contains(path));

    SeenDialog accepted;
    clickInNextDialog(&accepted, QStringLiteral("Open anyway"));
    QVERIFY(editor->loadFile(path, false));
    QCOMPARE(accepted.title, title);
    QCOMPARE(editor->currentTab->textEdit->toPlainText(), shown);
    // Unmodified, so closing the page asks nothing and writes nothing.
    QCOMPARE(editor->currentTab->docState, 1);
    QCOMPARE(tabText(0), QStringLiteral("odd_dri.txt"));
    QVERIFY(editor->slotCloseTab(0));
    QCOMPARE(read(path), content);
}

void TestBadInput::largeFileAsksBeforeReading_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("title");
    QTest::newRow("large file is opened only when asked") << qint64(20) * 1024 * 1024 << "Cancel"
                                                          << "Large file";
    // Reading a file that size would abort the editor with every open page.
    QTest::newRow("huge file is refused") << qint64(1024) * 1024 * 1024 << "OK"
                                          << "File too large";
}

void TestBadInput::largeFileAsksBeforeReading()
{
    QFETCH(qint64, size);
    QFETCH(QString, button);
    QFETCH(QString, title);
    const QString path = write(QStringLiteral("huge_dri.txt"), "english\n");
    QVERIFY(QFile::resize(path, size));

    SeenDialog seen;
    clickInNextDialog(&seen, button);
    QVERIFY(!editor->loadFile(path, false));
    QCOMPARE(seen.title, title);
    QVERIFY(seen.text.contains(QString::number(size / (1024 * 1024)) + QStringLiteral(" MB")));
    QCOMPARE(editor->tabWidget->count(), 1);
    QCOMPARE(tabText(0), QStringLiteral("Untitled"));
    QCOMPARE(QFileInfo(path).size(), size);
}

void TestBadInput::directoryOnTheCommandLine()
{
    const QString folder = dir->filePath(QStringLiteral("folder_dri.txt"));
    QVERIFY(QDir().mkpath(folder));

    QString printed;
    QTextStream out(&printed);
    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    openArguments(*editor, {folder}, out);
    QCOMPARE(seen.title, QStringLiteral("Error"));
    QCOMPARE(seen.text, QStringLiteral("Could not open file'") + folder + QStringLiteral("'."));
    QCOMPARE(editor->tabWidget->count(), 1);

    // Unattended, the batch conversion reports it without a box.
    printed.clear();
    QCOMPARE(convertArguments({QStringLiteral("-convert"), dir->path(), folder}, out),
             BatchOutcome::Converted);
    QCOMPARE(printed, folder + QStringLiteral(" ... failed\n"));
    QCOMPARE(editor->tabWidget->count(), 1);
}

void TestBadInput::directoryInTheOpenDialog()
{
    const QString folder = dir->filePath(QStringLiteral("inner_dri.txt"));
    QVERIFY(QDir().mkpath(folder));
    editor->lastDirectory = dir->path();

    QString shownAfterChoice;
    SeenDialog seen;
    onNextDialog(&seen, [folder, &shownAfterChoice](QDialog *dialog) {
        auto *fileDialog = static_cast<QFileDialog *>(dialog);
        fileDialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(folder);
        QMetaObject::invokeMethod(fileDialog, "accept");
        shownAfterChoice = fileDialog->directory().absolutePath();
        fileDialog->reject();
    });
    editor->slotOpen();
    QCOMPARE(seen.title, QStringLiteral("Open File"));
    // Choosing the folder only enters it.
    QCOMPARE(shownAfterChoice, folder);
    QCOMPARE(editor->tabWidget->count(), 1);
    QCOMPARE(tabText(0), QStringLiteral("Untitled"));
}

void TestBadInput::directoryAndWebLinkDropped()
{
    const QString folder = dir->filePath(QStringLiteral("dropped"));
    QVERIFY(QDir().mkpath(folder));
    const QString file = write(QStringLiteral("a_dri.txt"), "english\n");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(folder),
                  QUrl(QStringLiteral("https://example.org/b_dri.txt")),
                  QUrl::fromLocalFile(file)});

    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    QVERIFY(dropOn(editor->currentTab->textEdit->viewport(), &data));
    QCOMPARE(seen.title, QStringLiteral("Error"));
    QCOMPARE(seen.text, QStringLiteral("Could not open file'") + folder + QStringLiteral("'."));
    QCOMPARE(editor->tabWidget->count(), 1);
    QCOMPARE(tabText(0), QStringLiteral("a_dri.txt"));
}

void TestBadInput::pipeIsRefusedWithoutWaiting()
{
    const QString pipe = dir->filePath(QStringLiteral("pipe_dri.txt"));
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    QVERIFY(!editor->loadFile(pipe, false));
    QCOMPARE(seen.title, QStringLiteral("Error"));
    QCOMPARE(editor->tabWidget->count(), 1);
}

void TestBadInput::unreadableFileIsRefused()
{
    if (runsAsRoot())
        QSKIP("root reads every file");
    const QString path = write(QStringLiteral("secret_dri.txt"), "english\n");
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));

    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    QVERIFY(!editor->loadFile(path, false));
    QCOMPARE(seen.title, QStringLiteral("Error"));
    QCOMPARE(editor->tabWidget->count(), 1);
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(read(path), QByteArray("english\n"));
}

void TestBadInput::fileDeletedWhileOpen()
{
    const QString path = write(QStringLiteral("gone_dri.txt"), "english\n");
    QVERIFY(editor->loadFile(path, false));
    editor->slotChangeTab(0);
    QTest::keyClicks(editor->currentTab->textEdit, QStringLiteral("# kept"));
    QTest::keyClick(editor->currentTab->textEdit, Qt::Key_Return);
    QVERIFY(QFile::remove(path));

    // Nothing on disk to compare with or to lose: no question, and saving writes it anew.
    editor->slotChangeTab(0);
    QVERIFY(editor->updateFileInfo());
    QVERIFY(editor->slotSave());
    QCOMPARE(read(path), QByteArray("# kept\nenglish\n"));

    // Reloading a vanished file keeps the page as it is.
    QTest::keyClicks(editor->currentTab->textEdit, QStringLiteral("x"));
    const QString typed = editor->currentTab->textEdit->toPlainText();
    QVERIFY(QFile::remove(path));
    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    editor->slotReloadFromDisk();
    QCOMPARE(seen.title, QStringLiteral("Error"));
    QCOMPARE(editor->currentTab->textEdit->toPlainText(), typed);
    QCOMPARE(editor->currentTab->docState, 2);
    QVERIFY(editor->currentTab->fileInfo);
}

void TestBadInput::fileReplacedByAnOlderOne()
{
    const QString path = write(QStringLiteral("swap_dri.txt"), "english\n");
    QVERIFY(editor->loadFile(path, false));
    editor->slotChangeTab(0);
    // A restored backup: other content with an earlier time than the one loaded.
    const QString backup = write(QStringLiteral("backup"), "german\n");
    QFile file(backup);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-1),
                             QFileDevice::FileModificationTime));
    file.close();
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::rename(backup, path));

    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("Reload from Disk"));
    QVERIFY(editor->updateFileInfo());
    QCOMPARE(seen.title, QStringLiteral("File changed on disk"));
    QCOMPARE(editor->currentTab->textEdit->toPlainText(), QStringLiteral("german\n"));
}

void TestBadInput::readOnlyFileKeepsItsContent()
{
    const QString path = write(QStringLiteral("locked_dri.txt"), "english\n");
    if (!lock(path))
        QSKIP("this file system cannot keep root from writing");
    QVERIFY(editor->loadFile(path, false));
    editor->slotChangeTab(0);
    QTest::keyClicks(editor->currentTab->textEdit, QStringLiteral("x"));

    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    QVERIFY(!editor->slotSave());
    QCOMPARE(seen.title, QStringLiteral("IO Error"));
    QCOMPARE(read(path), QByteArray("english\n"));
    QCOMPARE(tabText(0), QStringLiteral("* locked_dri.txt"));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{"locked_dri.txt"});
}

void TestBadInput::readOnlyDirectoryGetsNoFile()
{
    const QString folder = dir->filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(folder));
    if (!lock(folder))
        QSKIP("this file system cannot keep root from writing");
    const QString target = folder + QStringLiteral("/new_dri.txt");
    editor->lastDirectory = dir->path();
    QTest::keyClicks(editor->currentTab->textEdit, QStringLiteral("english"));

    SeenDialog chosen;
    SeenDialog failure;
    onNextDialog(&chosen, [target, &failure](QDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(target);
        clickInNextDialog(&failure, QStringLiteral("OK"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    QVERIFY(!editor->slotSaveAs());
    QCOMPARE(failure.title, QStringLiteral("IO Error"));
    QCOMPARE(failure.text,
             QStringLiteral("Writing file \"") + target + QStringLiteral("\" failed!"));
    QVERIFY(
        QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    QVERIFY(tabText(0).startsWith(QStringLiteral("* ")));
}

void TestBadInput::pathsWithBlanksAndUmlauts()
{
    const QByteArray content("# Korngr\xc3\xb6\xc3\x9f"
                             "e \xc2\xb5m\nenglish\n");
    const QString path = write(QStringLiteral("mit Leerzeichen/Gr\u00f6\u00dfen/K\u00f6rner "
                                              "\u00df_dri.txt"),
                               content);
    QVERIFY(editor->loadFile(path, false));
    editor->slotChangeTab(0);
    QCOMPARE(tabText(0), QStringLiteral("K\u00f6rner \u00df_dri.txt"));
    QCOMPARE(editor->tabWidget->tabToolTip(0), path);
    QCOMPARE(editor->currentTab->textEdit->toPlainText(), QString::fromUtf8(content));

    editor->currentTab->textEdit->insertPlainText(QStringLiteral("\u00e9"));
    QVERIFY(editor->slotSave());
    QCOMPARE(read(path), QByteArray("\xc3\xa9") + content);

    // The recent-file list keeps the path across a restart.
    restartEditor();
    QCOMPARE(editor->configuration->recentFiles.value(0), path);
    QVERIFY(editor->loadFile(path, false));
    QCOMPARE(editor->currentTab->textEdit->toPlainText(),
             QStringLiteral("\u00e9") + QString::fromUtf8(content));
}

void TestBadInput::garbageConfiguration()
{
    QByteArray garbage;
    for (int i = 0; i < 5000; ++i)
        garbage.append(char((i * 7919) % 256));
    garbage.append(QByteArray(70000, '='));
    QFile rc(rcPath);
    QVERIFY(rc.open(QIODevice::WriteOnly));
    rc.write(garbage);
    rc.close();

    restartEditor();
    QCOMPARE(editor->configuration->fontSize, 12);
    QVERIFY(editor->configuration->recentFiles.isEmpty());
    // The editor replaced the damage by a file it can read.
    QVERIFY(read(rcPath).contains("\nfontsize=12\nrecentZelmora = [\n"));
}

void TestBadInput::truncatedConfiguration_data()
{
    QTest::addColumn<int>("cut");
    QTest::addColumn<QString>("executable");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("recentFiles");
    QTest::newRow("in the first line") << 12 << "/opt" << 12 << 0;
    QTest::newRow("in the font size key") << 58 << "/opt/sim/ZELMORA_TQ" << 12 << 0;
    QTest::newRow("in the font size") << 64 << "/opt/sim/ZELMORA_TQ" << 1 << 0;
    QTest::newRow("in the executables") << 95 << "/opt/sim/ZELMORA_TQ" << 16 << 0;
    QTest::newRow("in a separator") << 108 << "/opt/sim/ZELMORA_TQ" << 16 << 0;
    QTest::newRow("in the second path") << -3 << "/opt/sim/ZELMORA_TQ" << 16 << 1;
}

void TestBadInput::truncatedConfiguration()
{
    QFETCH(int, cut);
    QFETCH(QString, executable);
    QFETCH(int, fontSize);
    QFETCH(int, recentFiles);
    const QString first = write(QStringLiteral("first_dri.txt"), "english\n");
    const QString second = write(QStringLiteral("second_dri.txt"), "english\n");
    const QByteArray whole = "zelmora=/opt/sim/ZELMORA_TQ\ndp=/opt/sim/DP_ZELMORA.sh\n"
                             "fontsize=16\nrecentZelmora = [\n/opt/sim/ZELMORA_TQ\n]\n"
                             "-----------------------------\n" +
                             first.toUtf8() + "\n-----------------------------\n" +
                             second.toUtf8() + "\n";
    QFile rc(rcPath);
    QVERIFY(rc.open(QIODevice::WriteOnly));
    rc.write(whole.left(cut < 0 ? whole.size() + cut : cut));
    rc.close();

    restartEditor();
    QCOMPARE(editor->configuration->simulationExecutable, executable);
    QCOMPARE(editor->configuration->fontSize, fontSize);
    QCOMPARE(editor->configuration->recentFiles.size(), recentFiles);
}

QTEST_MAIN(TestBadInput)
#include "test_badinput.moc"
