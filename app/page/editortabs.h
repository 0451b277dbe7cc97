#ifndef VORPEN_EDITORTABS_H
#define VORPEN_EDITORTABS_H

#include "app/config/configuration.h"
#include "app/main.h"
#include "app/page/textformat.h"
#include "app/recovery/filebase.h"

#include <QDateTime>
#include <QModelIndex>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include <functional>
#include <memory>

class AnisotropyPlots;
class Bookmarks;
struct CheckElement;
class CustomTextEdit;
class Highlighter;
class InterfaceTabWidget;
class LiveAnalysis;
struct LoadAnalysis;
struct Node;
class PhaseDiagrams;
class QFileInfo;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSplitter;
class QTabWidget;
class QTimer;
class QTreeView;
class QVBoxLayout;
class RunConfigurationWidget;
class SyntaxAnalyzer;

// One document page: the editor of one driving file with its outline, run panel and output.
// The main window works on the members directly, so they are public.
class EditorTabs : public QWidget
{
    Q_OBJECT
public:
    // mainConfiguration is copied without its lists.
    explicit EditorTabs(const Configuration &mainConfiguration, QWidget *parent = nullptr);
    ~EditorTabs() override;

    PhaseDiagrams *getPhaseDiagrams() const { return phaseDiagrams; }
    void setPhaseDiagrams(PhaseDiagrams *diagrams) { phaseDiagrams = diagrams; }
    AnisotropyPlots *getAnisotropyPlots() const { return anisotropyPlots; }
    void setAnisotropyPlots(AnisotropyPlots *plots) { anisotropyPlots = plots; }

    // Marked modified, or text typed into a page that has no file yet: a new page does not
    // mark its first changes, yet they must not be lost.
    bool hasUnsavedText() const;
    // Replaces the whole text as one step that Undo takes back.
    void replaceTextUndoably(const QString &text);
    // The editor's text split at "\n", empty lines kept, as every analysis takes it.
    QStringList textLines() const;
    // Replaces the page's analysis by a fresh one of its current text under syntax; under
    // syntaxFile, the live analysis shows it too.
    bool reanalyze(const QString &syntax, int &line, Node *&failed);
    // Lets the live analysis show the page's analysis, made under syntaxFile of the text as it
    // stands (lines), instead of making the same again.
    void shareAnalysis(const QStringList &lines, bool valid, int line, Node *failed);
    // The page's analysis for a conversion, which writes into it: the live analysis is done
    // reading it first.
    SyntaxAnalyzer *analysisToConvert();
    // Analyses the text just loaded under 7.0, or 6.4 when that gets further, and fills the
    // outline; then calls done. In the background, the page shows and edits the text meanwhile
    // and done follows on the GUI thread.
    void analyzeLoadedText(bool inBackground, std::function<void()> done);
    // Waits for a load's analysis still running in the background and takes its result in, so
    // that what follows reads the page's analysis, syntax and validity of the loaded text.
    void settleAnalysis();
    // True while a load's analysis runs in the background.
    bool analysisPending() const { return loadJob != 0; }
    // The page's analysis of its text as it stands under its syntax, made again only when the
    // text or the syntax has changed since.
    SyntaxAnalyzer *currentAnalysis();
    // Takes the live analysis of the text as it stands as the page's own, so that the two share
    // one tree and the page's older one is freed.
    void takeLiveAnalysis(const std::shared_ptr<SyntaxAnalyzer> &analysis, const QString &syntax);

    // Derives simName, resultDir and screenFile from the page's analysis.
    void setupOutputLocation();
    // Lets the run configuration panel lay itself out from the page's configuration.
    void layoutRunConfiguration();
    // Ticks the screen file in the result selection.
    void selectScreenResult();
    // Gives the output text the room of the output panel and the result box what its list
    // needs, up to a third, until the user moves the handle between them.
    void fitResultBox();

    QTreeView *bookmarkView = nullptr;
    Bookmarks *bookmarks = nullptr;
    CustomTextEdit *textEdit = nullptr;
    bool syntaxValid = false;
    QFileInfo *fileInfo = nullptr; // null while the page is "Untitled"
    QDateTime lastModified;
    FileBase diskBase;     // the file as loaded or last saved, for the recovery journal
    TextFormat textFormat; // encoding and line ends a save writes back
    Highlighter *highlighter = nullptr;

    QString simName;
    QString screenFile;
    QDateTime lastRead;
    qint64 lastSize = 0;
    QString resultDir;
    QString lastText;

    QSplitter *outputPanel = nullptr; // output tabs above the result box, hidden until used
    bool outputShown = false;
    QGroupBox *resultBox = nullptr;
    QVBoxLayout *resultLayout = nullptr;
    QLabel *runStatus = nullptr; // state of the page's batch job, hidden without one
    QVector<CheckElement *> checkElements;

    bool monitoring = false;
    bool paused = false;
    bool autoSelectScreen = false;
    bool syntaxOnly = false;
    int jobId = -1;
    QTimer *refreshTimer = nullptr;

    QPushButton *displayButton = nullptr;
    QFrame *displaySeparator = nullptr;
    QTabWidget *outputTabs = nullptr;
    InterfaceTabWidget *interfaceTabs = nullptr;
    RunConfigurationWidget *runConfiguration = nullptr;

    // -1 and 0: a load is filling the editor; 1: text as on disk; 2: modified.
    int docState = -1;
    // Index when the page was added; tabs move and close, so look up the current index instead.
    int tabIndex = -1;
    // Last analysis of the text; the live analysis shows it too while the text is unchanged.
    std::shared_ptr<SyntaxAnalyzer> analyzer;
    QString syntaxFile = defaultSyntax;
    Configuration configuration;
    LiveAnalysis *liveAnalysis = nullptr; // keeps the text analysed while the user types

public slots:
    // Moves the editor to the section title of the clicked outline entry.
    void slotGotoBookmark(QModelIndex itemIndex);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildDrivingFileView();
    void buildOutputPanel();
    void takeLoadAnalysis();

    std::shared_ptr<LoadAnalysis> pendingLoad;
    quint64 loadJob = 0; // the analysis worker's number of the load's analysis, 0 once taken
    quint64 loadSerial = 0;
    std::function<void()> loadDone;
    int loadRevision = 0; // of the document when the load's text was taken
    // What the page's analysis was made of.
    int analysedRevision = -1;
    QString analysedSyntax;

    QScrollArea *resultScroll = nullptr;
    bool resultBoxMoved = false;

    PhaseDiagrams *phaseDiagrams = nullptr;
    AnisotropyPlots *anisotropyPlots = nullptr;
};

#endif
