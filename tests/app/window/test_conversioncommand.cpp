// The conversion command with its log, and the copy of a run's IN file, on the real window.
#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/text/customtextedit.h"
#include "app/window/editor.h"
#include "app/window/logdialog.h"
#include "tests/support/dialoganswer.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

class TestConversionCommand : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void unsavedPageIsRefused_data();
    void unsavedPageIsRefused();
    void convertedFileOpensInANewTab();
    void sevenPointZeroFileIsLeftAlone();
    void failedVerificationSelectsTheLine();
    void eachConversionHasItsOwnLog();
    void missingInFile();
    void inFileWithEndMarkerIsDenied();
    void inFileCopyAnswers_data();
    void inFileCopyAnswers();

private:
    QString copyExample(const QString &example, const QString &name);
    QString write(const QString &name, const QByteArray &content);
    QByteArray read(const QString &path) const;
    EditorTabs *page(int index) const;
    LogDialog *lastLog() const;
    // Opens the driving file of a page whose run results live in the test directory.
    EditorTabs *pageWithResults();

    QTemporaryDir home;
    QScopedPointer<QTemporaryDir> dir;
    Editor *editor = nullptr;
};

void TestConversionCommand::initTestCase()
{
    Q_INIT_RESOURCE(MyRes);
    qputenv("HOME", home.path().toLocal8Bit());
}

void TestConversionCommand::init()
{
    dir.reset(new QTemporaryDir);
    editor = new Editor(home.filePath(QStringLiteral(".vorpenrc7000")));
}

void TestConversionCommand::cleanup()
{
    delete editor;
    editor = nullptr;
}

QString TestConversionCommand::copyExample(const QString &example, const QString &name)
{
    QFile source(QStringLiteral(VORPEN_SOURCE_DIR "/examples/") + example);
    if (!source.open(QIODevice::ReadOnly))
        qFatal("missing example");
    return write(name, source.readAll());
}

QString TestConversionCommand::write(const QString &name, const QByteArray &content)
{
    QFile file(dir->filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write fixture");
    return QFileInfo(file).absoluteFilePath();
}

QByteArray TestConversionCommand::read(const QString &path) const
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

EditorTabs *TestConversionCommand::page(int index) const
{
    return static_cast<EditorTabs *>(editor->tabWidget->widget(index));
}

LogDialog *TestConversionCommand::lastLog() const
{
    const QList<LogDialog *> logs = editor->findChildren<LogDialog *>();
    return logs.isEmpty() ? nullptr : logs.last();
}

EditorTabs *TestConversionCommand::pageWithResults()
{
    const QString path = write(QStringLiteral("run_dri.txt"), "# the driving file\n");
    if (!editor->loadFile(path, false))
        qFatal("cannot load fixture");
    EditorTabs *tab = editor->currentTab;
    tab->resultDir = dir->path();
    tab->simName = QStringLiteral("run");
    return tab;
}

void TestConversionCommand::unsavedPageIsRefused_data()
{
    QTest::addColumn<bool>("convert");
    QTest::newRow("convert") << true;
    QTest::newRow("copy IN file") << false;
}

void TestConversionCommand::unsavedPageIsRefused()
{
    QFETCH(bool, convert);
    editor->currentTab->textEdit->setPlainText(QStringLiteral("english\n"));
    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    if (convert)
        editor->slotConvert();
    else
        editor->slotCopyINfile();
    QCOMPARE(seen.title, QStringLiteral("Error"));
    QCOMPARE(seen.text, QStringLiteral("Please save the driving file first."));
    QCOMPARE(editor->tabWidget->count(), 1);
    QVERIFY(!lastLog());
    QCOMPARE(editor->currentTab->textEdit->toPlainText(), QStringLiteral("english\n"));
}

void TestConversionCommand::convertedFileOpensInANewTab()
{
    const QString path =
        copyExample(QStringLiteral("legacy_binary_solidification_v64_dri.txt"), "alcu_dri.txt");
    QVERIFY(editor->loadFile(path, false));
    QCOMPARE(editor->currentTab->syntaxFile, QStringLiteral("ZEL_Syntax_6-4.xml"));
    editor->slotConvert();

    const QString converted = dir->filePath(QStringLiteral("alcu_v7-0_dri.txt"));
    QCOMPARE(editor->tabWidget->count(), 2);
    EditorTabs *tab = page(1);
    QCOMPARE(editor->currentTab, tab);
    QCOMPARE(tab->syntaxFile, QStringLiteral("ZEL_Syntax_7-0.xml"));
    QVERIFY(tab->syntaxValid);
    QCOMPARE(tab->fileInfo->absoluteFilePath(), converted);
    QCOMPARE(QString::fromUtf8(read(converted)), tab->textEdit->toPlainText());
    QVERIFY(tab->textEdit->toPlainText().contains(QStringLiteral("\nend_of_phases\n")));
    QCOMPARE(page(0)->syntaxFile, QStringLiteral("ZEL_Syntax_6-4.xml"));

    LogDialog *log = lastLog();
    QVERIFY(log && log->isVisible());
    QCOMPARE(log->windowTitle(), QStringLiteral("Conversion Log"));
    const QString expected = QStringLiteral("\nFile:\n") + path + QStringLiteral("\n\n") +
                             QStringLiteral("Generating intermediate file with ZELMORA 7.0 "
                                            "syntax ...\n\n") +
                             QStringLiteral("Warning: Matrix molar volume inserted!\n"
                                            "Check molar volumes for all phases.\n\n") +
                             QStringLiteral("Storing as:\n") + converted +
                             QStringLiteral("\n\n\nConversion was successful!\n\n");
    QCOMPARE(log->text(), expected);
    QVERIFY(log->checkWarnings());
}

void TestConversionCommand::sevenPointZeroFileIsLeftAlone()
{
    const QString path = copyExample(QStringLiteral("grain_growth_2d_dri.txt"), "gg_dri.txt");
    QVERIFY(editor->loadFile(path, false));
    editor->slotConvert();
    QCOMPARE(editor->tabWidget->count(), 1);
    LogDialog *log = lastLog();
    QVERIFY(log && log->isVisible());
    QVERIFY(log->text().endsWith(QStringLiteral("\nThis file is more or less 7.0 conform.\n")));
    QVERIFY(!QFileInfo::exists(dir->filePath(QStringLiteral("gg_v7-0_dri.txt"))));
}

// 7.0 has no latent heat next to a 1D temperature field; the file is stored all the same.
void TestConversionCommand::failedVerificationSelectsTheLine()
{
    const QString path =
        copyExample(QStringLiteral("thermal_1d_latent_heat_v64_dri.txt"), "ni.dri");
    QVERIFY(editor->loadFile(path, false));
    editor->slotConvert();

    EditorTabs *tab = page(1);
    const QString converted = dir->filePath(QStringLiteral("ni_v7-0.dri"));
    QCOMPARE(tab->fileInfo->absoluteFilePath(), converted);
    QCOMPARE(QString::fromUtf8(read(converted)), tab->textEdit->toPlainText());
    const QString log = lastLog()->text();
    QVERIFY(log.contains(QStringLiteral("\n\nConversion failed!\n\nVerifying 7.0 syntax ...\n\n")));
    QVERIFY(log.contains(QStringLiteral("Parameter = TDSpecHeatCapacityType\nType = string\n"
                                        "Options = \n   constant\n   from_file\n"
                                        "----------------------------\n")));
    const QString selected = tab->textEdit->textCursor().selectedText();
    QVERIFY(!selected.isEmpty());
    QVERIFY2(log.contains(QStringLiteral("Given input =  ") + selected +
                          QStringLiteral("\nSyntax error\n\nCheck syntax of your ZELMORA 6.4 "
                                         "file.\n")),
             qPrintable(log));
    const int line = tab->textEdit->textCursor().block().blockNumber();
    QCOMPARE(tab->textEdit->toPlainText().split('\n').at(line), selected);
}

void TestConversionCommand::eachConversionHasItsOwnLog()
{
    const QString path =
        copyExample(QStringLiteral("legacy_binary_solidification_v64_dri.txt"), "a.txt");
    QVERIFY(editor->loadFile(path, false));
    editor->slotConvert();
    LogDialog *first = lastLog();
    const QString firstText = first->text();
    QVERIFY(firstText.contains(QStringLiteral("Storing as:\n") + path + QStringLiteral("_v7-0\n")));

    // The second conversion overwrites the first one's file without asking.
    editor->slotChangeTab(0);
    editor->slotConvert();
    QCOMPARE(editor->tabWidget->count(), 3);
    QCOMPARE(editor->findChildren<LogDialog *>().size(), 2);
    QCOMPARE(first->text(), firstText);
    QCOMPARE(lastLog()->text(), firstText);
}

void TestConversionCommand::missingInFile()
{
    EditorTabs *tab = pageWithResults();
    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    editor->slotCopyINfile();
    QCOMPARE(seen.title, QStringLiteral("Error"));
    QCOMPARE(seen.text, QStringLiteral("Could not open file '") + dir->filePath("run.in") +
                            QStringLiteral("'."));
    QCOMPARE(tab->textEdit->toPlainText(), QStringLiteral("# the driving file\n"));
}

void TestConversionCommand::inFileWithEndMarkerIsDenied()
{
    EditorTabs *tab = pageWithResults();
    write(QStringLiteral("run.in"), "english\n__END__ of what was read\n");
    SeenDialog seen;
    clickInNextDialog(&seen, QStringLiteral("OK"));
    editor->slotCopyINfile();
    QCOMPARE(seen.title, QStringLiteral("Error"));
    QCOMPARE(seen.text, QStringLiteral("The IN file contains errors!\nCopying denied."));
    QCOMPARE(tab->textEdit->toPlainText(), QStringLiteral("# the driving file\n"));
    QCOMPARE(read(tab->fileInfo->absoluteFilePath()), QByteArray("# the driving file\n"));
}

void TestConversionCommand::inFileCopyAnswers_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("Ok") << "OK" << QByteArray("# as the run read it\n");
    QTest::newRow("Cancel") << "Cancel" << QByteArray("# the driving file\n");
}

void TestConversionCommand::inFileCopyAnswers()
{
    QFETCH(QString, answer);
    QFETCH(QByteArray, stored);
    EditorTabs *tab = pageWithResults();
    write(QStringLiteral("run.in"), "# as the run read it\n");
    SeenDialog seen;
    clickInNextDialog(&seen, answer);
    editor->slotCopyINfile();
    QCOMPARE(seen.title, QStringLiteral("Warning"));
    QCOMPARE(seen.text, QStringLiteral("The original driving file will be OVERWRITTEN!"));
    QCOMPARE(read(tab->fileInfo->absoluteFilePath()), stored);
    QCOMPARE(tab->textEdit->toPlainText().toUtf8(), stored);
}

QTEST_MAIN(TestConversionCommand)
#include "test_conversioncommand.moc"
