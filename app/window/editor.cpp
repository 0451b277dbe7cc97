#include "app/window/editor.h"

#include "app/config/configuration.h"
#include "app/main.h"
#include "app/page/editortabwidget.h"
#include "app/recovery/journalkeeper.h"
#include "app/text/fonts.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

Editor *Editor::instance = nullptr;

Editor::Editor(const QString &rcPath, QWidget *parent) : QMainWindow(parent)
{
    instance = this;
    currentTab = nullptr;

    configuration = new Configuration(rcPath, QString(), QString(), 12, false);
    configuration->setDefault();
    configuration->read();
    // A damaged file gives 0 or any number; only a size that text can be shown in is kept.
    if (configuration->fontSize < 1 || configuration->fontSize > 100)
        configuration->fontSize = 12;

    lastDirectory = QDir::currentPath();
    // Before the first page, and torn down before the pages: a normal end leaves no journals.
    journalKeeper = new JournalKeeper(RecoveryFolder::defaultPath(), this);

    setWindowIcon(QIcon(QStringLiteral(":/tbicons/icon.png")));
    setWindowTitle(appName + QStringLiteral(" ") + appVersion);
    setMinimumSize(160, 160);

    buildToolBar();

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    setCentralWidget(central);
    // Before the first tab, which applies the font size to it.
    outputFont = monospaceFont(QStringLiteral("Courier New"));
    outputFont.setPixelSize(configuration->fontSize);

    tabWidget = new EditorTabWidget(central);
    layout->addWidget(tabWidget);
    slotNewTab();

    connect(searchField, &QLineEdit::returnPressed, this, &Editor::slotSearch);
    connect(tabWidget, &QTabWidget::currentChanged, this, &Editor::slotChangeTab);
    connect(tabWidget, &QTabWidget::tabCloseRequested, this, &Editor::slotCloseTab);
    connect(fontSizeBox, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &Editor::slotFontSizeChanged);

    buildShortcuts();
    buildLiveTools();
    buildMenus();
    updateRecentMenu();

    showMaximized();
}

Editor::~Editor()
{
    if (instance == this)
        instance = nullptr;
    delete configuration;
}

Editor *Editor::getInstance()
{
    return instance;
}

QSize Editor::sizeHint() const
{
    return QSize(800, 700);
}

void Editor::buildToolBar()
{
    toolBar = new QToolBar(tr("Toolbar"), this);
    toolBar->setObjectName(QStringLiteral("toolBar"));

    startButton = new QPushButton(tr("Start"), toolBar);
    startButton->setToolTip(tr("Start ZELMORA simulation with the current driving file"));
    connect(startButton, &QPushButton::clicked, this, [this] { slotRun(); });
    toolBar->addWidget(startButton);

    pauseButton = new QPushButton(tr("Pause"), toolBar);
    pauseButton->setToolTip(tr("Suspend/Continue a running ZELMORA simulation"));
    connect(pauseButton, &QPushButton::clicked, this, &Editor::slotSuspend);
    toolBar->addWidget(pauseButton);

    killButton = new QPushButton(tr("Stop/Kill"), toolBar);
    killButton->setToolTip(tr("Stop ZELMORA simulation, i.e. kill process"));
    killButton->setEnabled(false);
    connect(killButton, &QPushButton::clicked, this, &Editor::slotKill);
    toolBar->addWidget(killButton);
    // A click leaves the focus in the editor, as tool buttons do: a button that is disabled
    // while it holds the focus would hand it on to the next one.
    for (QPushButton *button : {startButton, pauseButton, killButton})
        button->setFocusPolicy(Qt::TabFocus);

    toolBar->addSeparator();

    inToDriButton = new QPushButton(tr("IN -> DRI"), toolBar);
    inToDriButton->setToolTip(tr("Replace current driving file by IN file"));
    connect(inToDriButton, &QPushButton::clicked, this, &Editor::slotCopyINfile);
    toolBar->addWidget(inToDriButton);

    toolBar->addWidget(new QLabel(tr(" Search (next F3): "), toolBar));
    searchField = new QLineEdit(toolBar);
    searchField->setFixedWidth(140);
    searchField->setToolTip(tr("Find next with F3"));
    toolBar->addWidget(searchField);

    toolBar->addSeparator();

    toolBar->addWidget(new QLabel(tr("Font Size: "), toolBar));
    fontSizeBox = new QSpinBox(toolBar);
    fontSizeBox->setFixedSize(50, 20);
    fontSizeBox->setRange(8, 20);
    fontSizeBox->setValue(configuration->fontSize);
    toolBar->addWidget(fontSizeBox);

    addToolBar(Qt::TopToolBarArea, toolBar);
}

void Editor::buildShortcuts()
{
    const auto addShortcut = [this](const char *keys, void (Editor::*slot)()) {
        auto *action = new QAction(this);
        action->setShortcut(QKeySequence(QString::fromLatin1(keys)));
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    addShortcut("Ctrl+F", &Editor::focus_search);
    addShortcut("Ctrl++", &Editor::font_size_plus);
    addShortcut("Ctrl+-", &Editor::font_size_minus);
    addShortcut("F3", &Editor::slotSearch);
}

void Editor::buildMenus()
{
    buildFileMenu();
    buildRunMenus();
    buildToolsAndHelpMenus();
}

void Editor::buildFileMenu()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New"), this, &Editor::slotNewTab, QKeySequence(tr("Ctrl+N")));
    file->addAction(tr("&Open"), this, &Editor::slotOpen, QKeySequence(tr("Ctrl+O")));
    reloadAction = file->addAction(tr("Reload from Disk"), this, &Editor::slotReloadFromDisk);
    recentMenu = file->addMenu(tr("Recent &Files"));
    saveAction = file->addAction(tr("&Save"), this, &Editor::slotSave, QKeySequence(tr("Ctrl+S")));
    saveAsAction = file->addAction(tr("Save &as"), this, &Editor::slotSaveAs);
    closeAction = file->addAction(tr("&Close"), this, &Editor::slotCloseCurrentTab,
                                  QKeySequence(tr("Ctrl+W")));
    file->addSeparator();
    file->addAction(tr("E&xit"), this, &QWidget::close, QKeySequence(tr("Ctrl+Q")));
}

void Editor::buildRunMenus()
{
    QMenu *simulation = menuBar()->addMenu(tr("&Simulation"));
    startAction = simulation->addAction(tr("&Start"), this, [this] { slotRun(); });
    killAction = simulation->addAction(tr("Stop/&Kill"), this, &Editor::slotKill);
    refreshAction = simulation->addAction(tr("Refresh Results"), this, &Editor::slotRefreshOutput,
                                          QKeySequence(tr("Ctrl+Space")));
    autoRefreshAction = simulation->addAction(tr("Automatic Refresh"));
    autoRefreshAction->setCheckable(true);
    autoRefreshAction->setChecked(false);
    connect(autoRefreshAction, &QAction::toggled, this, &Editor::slotActivateRefresh);

    QMenu *view = menuBar()->addMenu(tr("&View"));
    view->setToolTipsVisible(true);
    showResultsAction = view->addAction(tr("Show &Results"));
    showResultsAction->setShortcut(QKeySequence(tr("Ctrl+R")));
    showResultsAction->setToolTip(tr("Show simulation result overview at the bottom"));
    showResultsAction->setCheckable(true);
    showResultsAction->setChecked(true);
    connect(showResultsAction, &QAction::toggled, this, &Editor::slotShowOutput);

    QMenu *syntax = menuBar()->addMenu(tr("Syntax"));
    syntax->addAction(tr("Convert 6.4 to 7.0"), this, &Editor::slotConvert,
                      QKeySequence(tr("Alt+5")));
    syntax->addAction(
        tr("Check 6.4"), this, [this] { slotAnalyze(QStringLiteral("ZEL_Syntax_6-4.xml")); },
        QKeySequence(tr("Alt+6")));
    syntax->addAction(
        tr("Check 7.0"), this, [this] { slotAnalyze(QStringLiteral("ZEL_Syntax_7-0.xml")); },
        QKeySequence(tr("Alt+7")));
    syntax->addSeparator();
    syntax->addAction(tr("Copy IN to DRI file"), this, &Editor::slotCopyINfile,
                      QKeySequence(tr("Alt+4")));
}

void Editor::buildToolsAndHelpMenus()
{
    const auto diagramToolTip = [](const QString &support) {
        return QStringList{tr("ZELMORA 6.4: this tool requires correct comments in English."),
                           tr("ZELMORA 7.0: this tool requires successful parameter parsing "
                              "(see syntax check)."),
                           support}
            .join(QLatin1Char('\n'));
    };
    QMenu *tools = menuBar()->addMenu(tr("&Tools"));
    tools->setToolTipsVisible(true);
    phaseDiagramMenu = tools->addMenu(tr("Phase &Diagrams"));
    phaseDiagramMenu->setToolTip(diagramToolTip(tr("Supported: linear, linearTQ")));
    phaseDiagramMenu->setEnabled(false);
    anisotropyMenu = tools->addMenu(tr("2D &Anisotropy"));
    anisotropyMenu->setToolTip(diagramToolTip(tr("Not supported: faceted, harmonic_expansion")));
    anisotropyMenu->setEnabled(false);

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("Online Documentation"), this, &Editor::slotHelp, QKeySequence(tr("F1")));
    help->addAction(tr("About"), this, &Editor::slotAbout);
}
