#include "app/page/editortabs.h"

#include "app/live/analysisworker.h"
#include "app/live/liveanalysis.h"
#include "app/outline/bookmarks.h"
#include "app/outline/treemodel.h"
#include "app/page/interfacetabwidget.h"
#include "app/text/customtextedit.h"
#include "app/text/fonts.h"
#include "app/text/highlighter.h"
#include "app/text/linenumberarea.h"
#include "plots/anisotropyplots.h"
#include "plots/phasediagrams.h"
#include "run/checkelement.h"
#include "run/runconfigurationwidget.h"
#include "syntax/syntaxanalyzer.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTextCursor>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <limits>

EditorTabs::EditorTabs(const Configuration &mainConfiguration, QWidget *parent)
    : QWidget(parent), configuration(mainConfiguration)
{
    setFont(monospaceFont(QStringLiteral("Consolas")));
    buildDrivingFileView();
    runConfiguration = new RunConfigurationWidget;
    interfaceTabs->addTab(runConfiguration, tr("Run Configuration"));
    buildOutputPanel();

    auto *pageSplitter = new QSplitter(Qt::Vertical, this);
    pageSplitter->addWidget(interfaceTabs);
    pageSplitter->addWidget(outputPanel);
    const int largest = std::numeric_limits<int>::max();
    pageSplitter->setSizes({largest, largest});

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pageSplitter);
}

EditorTabs::~EditorTabs()
{
    delete fileInfo;
    delete refreshTimer;
    qDeleteAll(checkElements);
    delete bookmarks;
    AnalysisWorker &worker = AnalysisWorker::shared();
    // The load's analysis must not outlive the program's resources.
    if (loadJob)
        worker.waitFor(loadJob);
    worker.release(std::move(pendingLoad));
    worker.release(std::move(analyzer));
    // Their destructors close the page's plot windows.
    if (phaseDiagrams)
        phaseDiagrams->deleteLater();
    if (anisotropyPlots)
        anisotropyPlots->deleteLater();
}

void EditorTabs::buildDrivingFileView()
{
    bookmarks = new Bookmarks;
    bookmarkView = new QTreeView;
    bookmarkView->header()->hide();
    bookmarkView->setModel(bookmarks->getModel());
    bookmarkView->setColumnHidden(1, true);
    bookmarkView->setColumnHidden(2, true);
    // Long section titles scroll sideways instead of being cut short.
    bookmarkView->header()->setStretchLastSection(false);
    bookmarkView->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    connect(bookmarkView, &QTreeView::clicked, this, &EditorTabs::slotGotoBookmark);

    textEdit = new CustomTextEdit;
    highlighter = new Highlighter(textEdit->document());
    new LineNumberArea(textEdit);
    liveAnalysis = new LiveAnalysis(this);

    auto *drivingFileView = new QSplitter(Qt::Horizontal);
    drivingFileView->addWidget(bookmarkView);
    drivingFileView->addWidget(textEdit);
    drivingFileView->setStretchFactor(0, 0);
    drivingFileView->setStretchFactor(1, 1);

    interfaceTabs = new InterfaceTabWidget;
    interfaceTabs->addTab(drivingFileView, tr("Driving File"));
}

void EditorTabs::buildOutputPanel()
{
    outputTabs = new QTabWidget;

    auto *resultList = new QWidget;
    resultLayout = new QVBoxLayout(resultList);
    resultScroll = new QScrollArea;
    resultScroll->setWidgetResizable(true);
    resultScroll->setWidget(resultList);
    // The box frames the list already.
    resultScroll->setFrameShape(QFrame::NoFrame);
    // In a small window the list scrolls rather than take the output's room.
    resultScroll->setMinimumHeight(2 * resultScroll->fontMetrics().lineSpacing());
    resultBox = new QGroupBox;
    runStatus = new QLabel;
    runStatus->setWordWrap(true);
    runStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    runStatus->hide();
    auto *boxLayout = new QVBoxLayout(resultBox);
    boxLayout->addWidget(runStatus);
    boxLayout->addWidget(resultScroll);

    outputPanel = new QSplitter(Qt::Vertical);
    outputPanel->addWidget(outputTabs);
    outputPanel->addWidget(resultBox);
    outputPanel->setStretchFactor(0, 1);
    outputPanel->setStretchFactor(1, 0);
    outputPanel->hide();
    outputPanel->installEventFilter(this);
    connect(outputPanel, &QSplitter::splitterMoved, this, [this] { resultBoxMoved = true; });
}

bool EditorTabs::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == outputPanel && event->type() == QEvent::Resize)
        fitResultBox();
    return QWidget::eventFilter(watched, event);
}

bool EditorTabs::hasUnsavedText() const
{
    return docState == 2 || (!fileInfo && !textEdit->document()->isEmpty());
}

void EditorTabs::replaceTextUndoably(const QString &text)
{
    QTextCursor cursor(textEdit->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
}

QStringList EditorTabs::textLines() const
{
    return textEdit->toPlainText().split(QLatin1Char('\n'));
}

bool EditorTabs::reanalyze(const QString &syntax, int &line, Node *&failed)
{
    settleAnalysis();
    const QStringList lines = textLines();
    AnalysisWorker::shared().release(std::move(analyzer));
    analyzer = std::make_shared<SyntaxAnalyzer>(syntax);
    analysedRevision = textEdit->document()->revision();
    analysedSyntax = syntax;
    QStringList input = lines;
    const bool valid = analyzer->analyze(&input, line, failed);
    if (syntax == syntaxFile)
        shareAnalysis(lines, valid, line, failed);
    return valid;
}

void EditorTabs::shareAnalysis(const QStringList &lines, bool valid, int line, Node *failed)
{
    liveAnalysis->adopt(analyzer, lines, valid, line, failed);
}

SyntaxAnalyzer *EditorTabs::currentAnalysis()
{
    settleAnalysis();
    if (!analyzer || analysedSyntax != syntaxFile ||
        analysedRevision != textEdit->document()->revision()) {
        int line = -1;
        Node *failed = nullptr;
        reanalyze(syntaxFile, line, failed);
    }
    return analyzer.get();
}

void EditorTabs::takeLiveAnalysis(const std::shared_ptr<SyntaxAnalyzer> &analysis,
                                  const QString &syntax)
{
    if (analysisPending() || syntax != syntaxFile || analysis == analyzer)
        return;
    AnalysisWorker::shared().release(std::move(analyzer));
    analyzer = analysis;
    analysedRevision = textEdit->document()->revision();
    analysedSyntax = syntax;
}

SyntaxAnalyzer *EditorTabs::analysisToConvert()
{
    settleAnalysis();
    liveAnalysis->waitForWorker();
    return analyzer.get();
}
