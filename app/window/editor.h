#ifndef VORPEN_EDITOR_H
#define VORPEN_EDITOR_H

#include "run/job.h"

#include <QFont>
#include <QMainWindow>
#include <QPoint>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTextCursor>

class Configuration;
class EditorTabWidget;
class EditorTabs;
class JournalKeeper;
class LiveStatus;
class QAction;
class QCloseEvent;
class QLineEdit;
class QMenu;
class QPushButton;
class QSpinBox;
class QToolBar;

// The main window: owns the configuration, the document tabs and the simulation jobs, and
// carries every user command as a slot.
class Editor : public QMainWindow
{
    Q_OBJECT
public:
    explicit Editor(const QString &rcPath, QWidget *parent = nullptr);
    ~Editor() override;

    // The one main window, for widgets deep inside a tab.
    static Editor *getInstance();

    QSize sizeHint() const override;

    // In the background, the window shows the text before the analysis has ended; the
    // verdict, outline and results follow it.
    bool loadFile(const QString &path, bool reload, bool analyseInBackground = false);
    bool saveFile(QString &path);
    QString makeFileNameCopy(QString name);
    void comment(bool in);
    void killProcess(EditorTabs *tab);
    // Leaves the page's simulation running in the background, no longer followed.
    void detachProcess(EditorTabs *tab);
    bool toFinish(const QString &text);
    void buildResultSelection();
    QStringList getFileList(const QString &resultDir, const QString &simName);
    void updateDiagramMenu();
    int getValidParameterCount(QString *screenOutput);
    int getPositionOfParameter(QString *text, int n);
    void updateRecentMenu();

    // Runs on a Slurm cluster: the page's batch job stands where a process stands otherwise.
    // Writes the job script and submits it; false when the script cannot be written.
    bool startClusterRun(EditorTabs *tab, const QStringList &arguments);
    // Follows the batch job that the record beside the page's results names, if there is one.
    void resumeClusterRun(EditorTabs *tab);
    // The screen output shows that the run is over: a process is killed, a batch job is given
    // time to end by itself.
    void runReachedEnd(EditorTabs *tab);
    // End-of-run bookkeeping shared by processes and batch jobs; screenFile is a copy, since
    // the job that holds it is removed on the way.
    void finishRun(EditorTabs *page, QString screenFile);
    // Start, pause and kill controls for the current page's run state.
    void showRunState();

    // Shared with the tab pages and the run, output and plot code.
    EditorTabs *currentTab = nullptr;
    EditorTabWidget *tabWidget = nullptr;
    Configuration *configuration = nullptr;
    JobList jobs;
    JournalKeeper *journalKeeper = nullptr;
    QString lastDirectory;
    QFont outputFont;
    QTextCursor lastCursor;

    QToolBar *toolBar = nullptr;
    QLineEdit *searchField = nullptr;
    QSpinBox *fontSizeBox = nullptr;
    QPushButton *startButton = nullptr;
    QPushButton *pauseButton = nullptr;
    QPushButton *killButton = nullptr;
    QPushButton *inToDriButton = nullptr;

    QAction *saveAction = nullptr;
    QAction *saveAsAction = nullptr;
    QAction *reloadAction = nullptr;
    QAction *closeAction = nullptr;
    QAction *startAction = nullptr;
    QAction *killAction = nullptr;
    QAction *refreshAction = nullptr;
    QAction *autoRefreshAction = nullptr;
    QAction *showResultsAction = nullptr;

    QMenu *recentMenu = nullptr;
    QMenu *phaseDiagramMenu = nullptr;
    QMenu *anisotropyMenu = nullptr;

signals:
    void addToLog(QString msg);

public slots:
    void slotOpen();
    bool slotSave();
    bool slotSaveAs();
    void slotSearch();
    void slotChangeCursorPosition();
    void slotNew();
    void openRecentFile();
    void editorContextMenue(QPoint pos);
    EditorTabs *getNewTab();
    void slotNewTab();
    void slotChangeTab(int akt);
    bool slotCloseTab(int akt);
    void slotCloseCurrentTab();
    void slotTextChanged();
    void focus_search();
    void slotFontSizeChanged(int size);
    void font_size_plus();
    void font_size_minus();
    void closeEvent(QCloseEvent *event) override;
    void slotRun(bool overwrite = false, bool syntaxOnly = false);
    void slotSuspend();
    void slotKill();
    void slotFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void slotUpdateOutput();
    void slotResultStateChanged(int newState);
    void slotDisplay();
    void deleteRecent();
    void slotRefreshOutput();
    void slotActivateRefresh(bool on);
    void slotReloadFromDisk();
    void slotSelectBlock();
    void slotCommentIn();
    void slotCommentOut();
    bool updateFileInfo();
    void slotShowOutput(bool visible);
    void slotAbout();
    void slotHelp();
    void slotAnalyze(QString filename);
    void slotConvert();
    void slotCopyINfile();
    void slotCompleteKeyword();
    void slotGotoSyntaxError();

private:
    void buildToolBar();
    void buildShortcuts();
    void buildMenus();
    void buildFileMenu();
    void buildRunMenus();
    void buildToolsAndHelpMenus();
    void buildLiveTools();
    void clearRecentMenu();
    int currentTabIndex() const;
    void showTabIdentity(int index);
    void showLoadedResults(EditorTabs *page);

    // Follows the page that slotChangeTab shows, also when it changes the tab unannounced.
    LiveStatus *liveStatus = nullptr;

    // A save can be declined by the user, which is not a failure.
    enum class SaveOutcome
    {
        Saved,
        Cancelled,
        Reloaded, // the user took the disk's version instead
        Failed
    };
    SaveOutcome savePage(QString &path);
    // The changed-on-disk question; Reloaded when the page now shows the file on disk.
    enum class DiskCheck
    {
        Unchanged,
        Reloaded,
        Ignored
    };
    DiskCheck checkDisk();

    static Editor *instance;
};

#endif
