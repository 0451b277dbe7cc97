#include "app/commandline/commandline.h"
#include "app/config/configuration.h"
#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/text/customtextedit.h"
#include "app/window/editor.h"
#include "app/window/manual.h"
#include "run/job.h"
#include "run/runconfigurationwidget.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <functional>
#include <qwt_global.h>

namespace {

// Entries of a menu as "text|shortcut", separators as "-", submenus as "text>".
QStringList entries(const QMenu *menu)
{
    QStringList result;
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator())
            result << QStringLiteral("-");
        else if (action->menu())
            result << action->text() + QLatin1Char('>');
        else
            result << action->text() + QLatin1Char('|') + action->shortcut().toString();
    }
    return result;
}

// Answers the next message box that opens (possibly modal) with the given handler.
void whenBoxOpens(const std::function<void(QMessageBox *)> &handle)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, handle] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            if (box && box->isVisible()) {
                timer->stop();
                timer->deleteLater();
                handle(box);
                return;
            }
        }
    });
    timer->start(20);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    Editor *editor = nullptr;

    QString rcPath() const { return dir.filePath(QStringLiteral(".vorpenrc7000")); }
    QMenu *menu(const QString &title) const
    {
        for (QAction *action : editor->menuBar()->actions()) {
            if (action->text() == title)
                return action->menu();
        }
        return nullptr;
    }
    QAction *windowShortcut(const QString &keys) const
    {
        for (QAction *action : editor->actions()) {
            if (action->shortcut() == QKeySequence(keys))
                return action;
        }
        return nullptr;
    }
    EditorTabs *page(int index) const
    {
        return static_cast<EditorTabs *>(editor->tabWidget->widget(index));
    }
    // A page that shows a file on disk, as a load leaves it.
    EditorTabs *fileTab(const QString &name)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.close();
        EditorTabs *tab = editor->getNewTab();
        tab->fileInfo = new QFileInfo(path);
        tab->lastModified = tab->fileInfo->lastModified();
        tab->docState = 1;
        editor->tabWidget->setTabText(editor->tabWidget->indexOf(tab), name);
        return tab;
    }
    QString toolTipOf(EditorTabs *tab) const
    {
        return editor->tabWidget->tabToolTip(editor->tabWidget->indexOf(tab));
    }

private slots:
    void initTestCase()
    {
        Q_INIT_RESOURCE(MyRes);
        qunsetenv("ZELMORA_Bin");
    }

    void init()
    {
        QFile::remove(rcPath());
        editor = new Editor(rcPath());
        editor->slotChangeTab(0);
    }

    void cleanup()
    {
        for (EditorTabs *tab : editor->findChildren<EditorTabs *>())
            tab->docState = 1;
        delete editor;
        editor = nullptr;
    }

    void startsWithOneUntitledTabAndTheWindowSettings()
    {
        QCOMPARE(Editor::getInstance(), editor);
        QCOMPARE(editor->tabWidget->count(), 1);
        QCOMPARE(editor->tabWidget->tabText(0), QStringLiteral("Untitled"));
        QCOMPARE(editor->currentTab, page(0));
        QCOMPARE(editor->windowTitle(), QStringLiteral("Vorpen 7.000"));
        QCOMPARE(editor->sizeHint(), QSize(800, 700));
        QCOMPARE(editor->minimumSize(), QSize(160, 160));
        QVERIFY(!editor->windowIcon().isNull());
        QCOMPARE(editor->outputFont.family(), QStringLiteral("Courier New"));
        // Where "Courier New" is missing, the fallback must still be monospace.
        QCOMPARE(editor->outputFont.styleHint(), QFont::Monospace);
        QCOMPARE(editor->currentTab->textEdit->font().styleHint(), QFont::Monospace);
        QCOMPARE(editor->currentTab->font().styleHint(), QFont::Monospace);
        QVERIFY(QFileInfo::exists(rcPath()));
    }

    void toolBarInOrder()
    {
        QStringList items;
        for (QAction *action : editor->toolBar->actions()) {
            QWidget *widget = editor->toolBar->widgetForAction(action);
            if (action->isSeparator())
                items << QStringLiteral("-");
            else if (auto *button = qobject_cast<QPushButton *>(widget))
                items << button->text() + QLatin1Char('|') + button->toolTip();
            else if (auto *label = qobject_cast<QLabel *>(widget))
                items << label->text();
            else
                items << QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char('|') +
                             widget->toolTip();
        }
        QCOMPARE(items,
                 (QStringList{
                     QStringLiteral("Start|Start ZELMORA simulation with the current driving file"),
                     QStringLiteral("Pause|Suspend/Continue a running ZELMORA simulation"),
                     QStringLiteral("Stop/Kill|Stop ZELMORA simulation, i.e. kill process"),
                     QStringLiteral("-"),
                     QStringLiteral("IN -> DRI|Replace current driving file by IN file"),
                     QStringLiteral(" Search (next F3): "),
                     QStringLiteral("QLineEdit|Find next with F3"), QStringLiteral("-"),
                     QStringLiteral("Font Size: "), QStringLiteral("QSpinBox|")}));
        QCOMPARE(editor->searchField->width(), 140);
        QCOMPARE(editor->fontSizeBox->size(), QSize(50, 20));
        QCOMPARE(editor->fontSizeBox->minimum(), 8);
        QCOMPARE(editor->fontSizeBox->maximum(), 20);
        QCOMPARE(editor->fontSizeBox->value(), 12);
        QVERIFY(!editor->killButton->isEnabled());
        QCOMPARE(editor->toolBarArea(editor->toolBar), Qt::TopToolBarArea);
    }

    void menusAndShortcuts()
    {
        QStringList titles;
        for (QAction *action : editor->menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles,
                 (QStringList{"&File", "&Simulation", "&View", "Syntax", "&Tools", "&Help"}));
        QCOMPARE(entries(menu("&File")),
                 (QStringList{"&New|Ctrl+N", "&Open|Ctrl+O", "Reload from Disk|", "Recent &Files>",
                              "&Save|Ctrl+S", "Save &as|", "&Close|Ctrl+W", "-", "E&xit|Ctrl+Q"}));
        QCOMPARE(entries(menu("&Simulation")),
                 (QStringList{"&Start|", "Stop/&Kill|", "Refresh Results|Ctrl+Space",
                              "Automatic Refresh|"}));
        QCOMPARE(entries(menu("&View")), QStringList{"Show &Results|Ctrl+R"});
        QCOMPARE(entries(menu("Syntax")),
                 (QStringList{"Convert 6.4 to 7.0|Alt+5", "Check 6.4|Alt+6", "Check 7.0|Alt+7", "-",
                              "Copy IN to DRI file|Alt+4"}));
        QCOMPARE(entries(menu("&Tools")), (QStringList{"Phase &Diagrams>", "2D &Anisotropy>"}));
        QCOMPARE(entries(menu("&Help")), (QStringList{"Online Documentation|F1", "About|"}));

        QVERIFY(editor->autoRefreshAction->isCheckable() &&
                !editor->autoRefreshAction->isChecked());
        QVERIFY(editor->showResultsAction->isCheckable() && editor->showResultsAction->isChecked());
        QCOMPARE(editor->showResultsAction->toolTip(),
                 QStringLiteral("Show simulation result overview at the bottom"));
        for (const char *keys : {"Ctrl+F", "Ctrl++", "Ctrl+-", "F3"})
            QVERIFY2(windowShortcut(QString::fromLatin1(keys)), keys);
    }

    void diagramMenusStartDisabledWithToolTips()
    {
        const QString head = QStringLiteral(
            "ZELMORA 6.4: this tool requires correct comments in English.\n"
            "ZELMORA 7.0: this tool requires successful parameter parsing (see syntax check).\n");
        QVERIFY(!editor->phaseDiagramMenu->isEnabled());
        QVERIFY(!editor->anisotropyMenu->isEnabled());
        QCOMPARE(editor->phaseDiagramMenu->toolTip(), head + "Supported: linear, linearTQ");
        QCOMPARE(editor->anisotropyMenu->toolTip(),
                 head + "Not supported: faceted, harmonic_expansion");
    }

    void fontSizeShortcutsStayInRange()
    {
        QAction *plus = windowShortcut(QStringLiteral("Ctrl++"));
        QAction *minus = windowShortcut(QStringLiteral("Ctrl+-"));
        plus->trigger();
        QCOMPARE(editor->fontSizeBox->value(), 13);
        QCOMPARE(editor->configuration->fontSize, 13);
        QCOMPARE(editor->outputFont.pixelSize(), 13);
        QCOMPARE(editor->currentTab->textEdit->font().pixelSize(), 13);
        QCOMPARE(editor->currentTab->bookmarkView->font().pixelSize(), 13);
        QCOMPARE(editor->currentTab->runConfiguration->font().pixelSize(), 13);
        editor->fontSizeBox->setValue(20);
        plus->trigger();
        QCOMPARE(editor->fontSizeBox->value(), 20);
        QCOMPARE(editor->configuration->fontSize, 20);
        editor->fontSizeBox->setValue(8);
        minus->trigger();
        QCOMPARE(editor->fontSizeBox->value(), 8);
        QCOMPARE(editor->configuration->fontSize, 8);
    }

    void changeTabFollowsFileUntitledAndRunState()
    {
        EditorTabs *file = fileTab(QStringLiteral("a_dri.txt"));
        const int fileIndex = editor->tabWidget->indexOf(file);
        editor->slotChangeTab(fileIndex);
        QCOMPARE(editor->currentTab, file);
        QCOMPARE(editor->tabWidget->currentIndex(), fileIndex);
        QCOMPARE(editor->windowTitle(), QStringLiteral("a_dri.txt - Vorpen 7.000"));
        QCOMPARE(toolTipOf(file), dir.filePath(QStringLiteral("a_dri.txt")));
        for (QAction *action : {editor->reloadAction, editor->saveAction, editor->saveAsAction,
                                editor->closeAction, editor->startAction, editor->refreshAction})
            QVERIFY2(action->isEnabled(), qPrintable(action->text()));
        QVERIFY(!editor->killAction->isEnabled());
        QVERIFY(editor->startButton->isEnabled());
        QVERIFY(!editor->pauseButton->isEnabled() && !editor->killButton->isEnabled());

        editor->slotChangeTab(0);
        QCOMPARE(editor->currentTab, page(0));
        QCOMPARE(editor->windowTitle(), QStringLiteral("a_dri.txt - Vorpen 7.000"));
        QCOMPARE(toolTipOf(page(0)), QStringLiteral("Untitled"));
        QVERIFY(!editor->reloadAction->isEnabled());
        QVERIFY(editor->saveAction->isEnabled());

        auto *job = new Job(QStringLiteral("a.scr"), file->fileInfo->absoluteFilePath(), nullptr);
        job->pid = 4242;
        file->jobId = editor->jobs.addJob(job);
        file->monitoring = true;
        file->paused = true;
        editor->slotChangeTab(fileIndex);
        QCOMPARE(toolTipOf(file).split(QLatin1Char('\n')).value(1),
                 QStringLiteral("attached job pid: 4242"));
        QCOMPARE(editor->pauseButton->text(), QStringLiteral("Continue"));
        QVERIFY(editor->pauseButton->isEnabled() && editor->killButton->isEnabled());
        QVERIFY(editor->killAction->isEnabled());
        QVERIFY(!editor->startButton->isEnabled() && !editor->startAction->isEnabled());

        // The run code refreshes the controls of the current tab with -2.
        file->paused = false;
        editor->slotChangeTab(-2);
        QCOMPARE(editor->currentTab, file);
        QCOMPARE(editor->pauseButton->text(), QStringLiteral("Pause"));
        file->monitoring = false;
        file->jobId = -1;
        editor->slotChangeTab(-2);
        QVERIFY(editor->startButton->isEnabled() && !editor->killButton->isEnabled());
    }

    void closingTheLastTabDisablesCommands()
    {
        EditorTabs *file = fileTab(QStringLiteral("b.dri"));
        editor->slotChangeTab(editor->tabWidget->indexOf(file));
        QVERIFY(editor->slotCloseTab(1));
        QVERIFY(editor->slotCloseTab(0));
        QCOMPARE(editor->tabWidget->count(), 0);
        QCOMPARE(editor->currentTab, nullptr);
        QCOMPARE(editor->windowTitle(), QStringLiteral("Vorpen 7.000"));
        for (QAction *action :
             {editor->reloadAction, editor->saveAction, editor->saveAsAction, editor->closeAction,
              editor->startAction, editor->killAction, editor->refreshAction})
            QVERIFY2(!action->isEnabled(), qPrintable(action->text()));
        for (QPushButton *button : {editor->startButton, editor->pauseButton, editor->killButton})
            QVERIFY2(!button->isEnabled(), qPrintable(button->text()));
        QVERIFY(!editor->phaseDiagramMenu->isEnabled() && !editor->anisotropyMenu->isEnabled());
        // Commands without a tab do nothing.
        editor->slotFontSizeChanged(15);
        editor->slotChangeTab(-2);
    }

    void cancelledCloseKeepsTheWindowOpen()
    {
        editor->show();
        fileTab(QStringLiteral("one.dri"));
        EditorTabs *modified = fileTab(QStringLiteral("two.dri"));
        EditorTabs *last = fileTab(QStringLiteral("three.dri"));
        modified->docState = 2;
        QString question;
        whenBoxOpens([&question](QMessageBox *box) {
            question = box->windowTitle() + QLatin1Char('|') + box->text();
            box->button(QMessageBox::Cancel)->click();
        });
        QVERIFY(!editor->close());
        QCOMPARE(question, QStringLiteral("Modified File|This file has been modified.\n"
                                          "Do you want to save your changes?"));
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->tabWidget->count(), 3);
        QVERIFY(editor->tabWidget->indexOf(last) < 0);
        QCOMPARE(editor->currentTab, modified);
        QCOMPARE(editor->tabWidget->currentWidget(), modified);

        whenBoxOpens([](QMessageBox *box) { box->button(QMessageBox::Discard)->click(); });
        QVERIFY(editor->close());
        QCOMPARE(editor->tabWidget->count(), 0);
        QCOMPARE(editor->currentTab, nullptr);
    }

    void recentMenuEndsWithClearEntry()
    {
        const QString plain = dir.filePath(QStringLiteral("r_dri.txt"));
        const QString ampersand = dir.filePath(QStringLiteral("R&D.dri"));
        for (const QString &path : {plain, ampersand}) {
            QFile file(path);
            file.open(QIODevice::WriteOnly);
        }
        QCOMPARE(entries(editor->recentMenu), (QStringList{"-", "&Clear recent file list|"}));

        editor->configuration->isRecent(plain);
        editor->configuration->isRecent(ampersand);
        editor->updateRecentMenu();
        const QList<QAction *> actions = editor->recentMenu->actions();
        QCOMPARE(actions.size(), 4);
        QCOMPARE(actions[0]->data().toString(), ampersand);
        QCOMPARE(actions[0]->text(), dir.filePath(QStringLiteral("R&&D.dri")));
        QCOMPARE(actions[1]->text(), plain);
        QVERIFY(actions[2]->isSeparator());
        QFile rc(rcPath());
        QVERIFY(rc.open(QIODevice::ReadOnly));
        QVERIFY(rc.readAll().contains(plain.toUtf8()));
        rc.close();

        actions[3]->trigger();
        QVERIFY(editor->configuration->recentFiles.isEmpty());
        QCOMPARE(entries(editor->recentMenu), (QStringList{"-", "&Clear recent file list|"}));
        QVERIFY(rc.open(QIODevice::ReadOnly));
        QVERIFY(!rc.readAll().contains("----"));
    }

    void commandLineFilesGoIntoUntitledThenNewTabs()
    {
        QStringList paths;
        for (const char *name : {"a.dri", "b.dri"}) {
            paths << dir.filePath(QString::fromLatin1(name));
            QFile file(paths.last());
            file.open(QIODevice::WriteOnly);
            file.write("# comment\n");
        }
        QString printed;
        QTextStream out(&printed);
        openArguments(*editor, paths, out);
        QCOMPARE(printed, paths.join(QString()));
        QCOMPARE(editor->tabWidget->count(), 2);
        QCOMPARE(editor->tabWidget->tabText(0), QStringLiteral("a.dri"));
        QCOMPARE(editor->tabWidget->tabText(1), QStringLiteral("b.dri"));
    }

    void aboutBoxNamesTheLibrariesInUse()
    {
        editor->slotAbout();
        QMessageBox *box = editor->findChild<QMessageBox *>();
        QVERIFY(box);
        QVERIFY(box->isVisible());
        QVERIFY(!box->isModal());
        QCOMPARE(box->windowTitle(), QStringLiteral("About Vorpen"));
        QCOMPARE(box->textFormat(), Qt::RichText);
        const QString text = box->text();
        QVERIFY(text.contains(QLatin1String("<h2>Vorpen 7.000</h2>")));
        QVERIFY(text.contains(QLatin1String("This software uses multiple software libraries:")));
        QVERIFY(text.contains(QStringLiteral("Qt %1</a>").arg(QString::fromLatin1(qVersion()))));
        QVERIFY(text.contains(QStringLiteral("Qwt " QWT_VERSION_STR "</a>")));
        QCOMPARE(text.count(QLatin1String("<a href=\"https://")), 2);
        box->close();
    }

    void helpWithoutBrowserShowsTheManualLocation()
    {
        // The offscreen platform cannot open URLs, which is the no-browser case.
        QString shown;
        whenBoxOpens([&shown](QMessageBox *box) {
            shown = box->windowTitle() + QLatin1Char('|') + box->text();
            box->accept();
        });
        editor->slotHelp();
        QCOMPARE(shown,
                 QStringLiteral("No web browser|Online documentation could not be started in "
                                "a web browser.\nPlease visit: ") +
                     manualLocation() + QLatin1Char('\n'));
        QVERIFY(QFileInfo::exists(QStringLiteral(VORPEN_BINARY_DIR "/docs/index.html")));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
