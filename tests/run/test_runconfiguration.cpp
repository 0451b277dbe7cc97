#include "app/config/configuration.h"
#include "app/window/editor.h"
#include "run/runconfigurationwidget.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestRunConfiguration : public QObject
{
    Q_OBJECT

private:
    QString script(const QString &name, const QString &body, bool executable = true)
    {
        const QString path = dir.path() + QLatin1Char('/') + name;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        file.write("#!/bin/sh\n" + body.toUtf8() + "\n");
        file.close();
        if (executable)
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return path;
    }

    QTemporaryDir dir;
    Editor *editor = nullptr;
    const QString errorHead = QStringLiteral("Error checking version!\n");

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void check_data();
    void check();
    void acceptedExecutableMovesToTheFront();
    void firstLayoutFillsTheBoxOnce();
    void emptyConfigurationGivesOneEmptyEntry();
    void displayToolGoesToBothConfigurations();
    void browseInsertsTheChosenExecutable();
};

void TestRunConfiguration::initTestCase()
{
    QVERIFY(dir.isValid());
    editor = new Editor(dir.path() + QStringLiteral("/rc"));
}

void TestRunConfiguration::cleanupTestCase()
{
    delete editor;
}

void TestRunConfiguration::init()
{
    editor->configuration->simulationExecutable.clear();
    editor->configuration->recentExecutables.clear();
}

void TestRunConfiguration::check_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("missing file") << dir.path() + QStringLiteral("/none")
                                  << errorHead + QStringLiteral("File not found!") << false;
    QTest::newRow("not executable")
        << script(QStringLiteral("plain"), QStringLiteral("echo ZELMORA version 7"), false)
        << errorHead + QStringLiteral("File is not an executable!\n") << false;
    QTest::newRow("no marker text")
        << script(QStringLiteral("other"), QStringLiteral("echo some tool 1.0"))
        << errorHead + QStringLiteral("File is not a ZELMORA executable!\n") << false;
    QTest::newRow("marker inside a longer line")
        << script(QStringLiteral("zel"), QStringLiteral("echo 'This is ZELMORA version 7.1 '\n"
                                                        "echo 'built today' >&2"))
        << QStringLiteral("This is ZELMORA version 7.1 \nbuilt today\n") << true;
    QTest::newRow("binary marker")
        << script(QStringLiteral("zelbin"), QStringLiteral("echo ZELMORA binary"))
        << QStringLiteral("ZELMORA binary\n") << true;
    QTest::newRow("crash") << script(QStringLiteral("crash"), QStringLiteral("kill -SEGV $$"))
                           << errorHead +
                                  QStringLiteral(
                                      "File is not executable or dynamic libraries are missing.\n")
                           << true;
}

void TestRunConfiguration::check()
{
    QFETCH(QString, path);
    QFETCH(QString, label);
    QFETCH(bool, accepted);
    Configuration tabConfiguration(*editor->configuration);
    RunConfigurationWidget widget;
    widget.tabConfiguration = &tabConfiguration;
    widget.slotBin1Changed(path);
    QCOMPARE(widget.versionLabel->text(), label);
    QCOMPARE(tabConfiguration.simulationExecutable, path);
    QCOMPARE(editor->configuration->simulationExecutable == path, accepted);
    QCOMPARE(editor->configuration->recentExecutables.contains(path), accepted);
}

void TestRunConfiguration::acceptedExecutableMovesToTheFront()
{
    const QString first = script(QStringLiteral("first"), QStringLiteral("echo ZELMORA version"));
    const QString second = script(QStringLiteral("second"), QStringLiteral("echo ZELMORA version"));
    editor->configuration->recentExecutables = QStringList{second, first};
    RunConfigurationWidget widget;
    widget.slotBin1Changed(first);
    QCOMPARE(editor->configuration->recentExecutables, QStringList({first, second}));
}

void TestRunConfiguration::firstLayoutFillsTheBoxOnce()
{
    const QString a = script(QStringLiteral("a"), QStringLiteral("echo ZELMORA version"));
    const QString b = script(QStringLiteral("b"), QStringLiteral("echo ZELMORA version"));
    editor->configuration->recentExecutables = QStringList{a, b};
    Configuration tabConfiguration(*editor->configuration);
    tabConfiguration.simulationExecutable = b;
    tabConfiguration.displayTool = QStringLiteral("/opt/dp");

    RunConfigurationWidget widget;
    widget.getLayout(&tabConfiguration);
    QCOMPARE(widget.executableBox->count(), 2);
    QCOMPARE(widget.executableBox->currentText(), b);
    QCOMPARE(widget.displayToolEdit->text(), QStringLiteral("/opt/dp"));
    QVERIFY(widget.layout());

    editor->configuration->recentExecutables.append(QStringLiteral("/elsewhere"));
    tabConfiguration.simulationExecutable = QStringLiteral("/not/listed");
    widget.getLayout(&tabConfiguration);
    QCOMPARE(widget.executableBox->count(), 2);
    QCOMPARE(widget.executableBox->currentText(), b);
}

void TestRunConfiguration::emptyConfigurationGivesOneEmptyEntry()
{
    RunConfigurationWidget widget;
    widget.getLayout(nullptr);
    QCOMPARE(widget.executableBox->count(), 1);
    QCOMPARE(widget.executableBox->itemText(0), QString());
}

void TestRunConfiguration::displayToolGoesToBothConfigurations()
{
    Configuration tabConfiguration(*editor->configuration);
    RunConfigurationWidget widget;
    widget.getLayout(&tabConfiguration);
    widget.displayToolEdit->setText(QStringLiteral("/opt/show"));
    QCOMPARE(tabConfiguration.displayTool, QStringLiteral("/opt/show"));
    QCOMPARE(editor->configuration->displayTool, QStringLiteral("/opt/show"));
}

void TestRunConfiguration::browseInsertsTheChosenExecutable()
{
    const QString chosen = script(QStringLiteral("chosen"), QStringLiteral("echo ZELMORA version"));
    Configuration tabConfiguration(*editor->configuration);
    RunConfigurationWidget widget;
    widget.getLayout(&tabConfiguration);
    QTimer::singleShot(0, [chosen] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Browse ZELMORA binary"));
        dialog->selectFile(chosen);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    widget.slotBrowse1();
    QCOMPARE(widget.executableBox->itemText(0), chosen);
    QCOMPARE(widget.executableBox->currentText(), chosen);
    QCOMPARE(tabConfiguration.simulationExecutable, chosen);
    QCOMPARE(editor->configuration->recentExecutables.first(), chosen);
}

QTEST_MAIN(TestRunConfiguration)
#include "test_runconfiguration.moc"
