#include "app/live/liveanalysis.h"

#include "app/live/analysisworker.h"
#include "app/live/sharedlines.h"
#include "app/main.h"
#include "app/page/editortabs.h"
#include "app/text/customtextedit.h"
#include "syntax/parameterdescription.h"
#include "syntax/parameterindex.h"
#include "syntax/syntaxanalyzer.h"
#include "syntax/syntaxfault.h"

#include <QHelpEvent>
#include <QTextBlock>
#include <QTimer>
#include <QToolTip>

// One analysis of a copy of the text; touched by the worker only until it finishes.
struct LiveRun
{
    quint64 generation = 0;
    QString syntaxFile;
    QString text;           // read on the GUI thread, split by the worker unless lines are given
    QStringList shownLines; // of the analysis shown when this one started
    QStringList lines;
    std::shared_ptr<SyntaxAnalyzer> analyzer; // may be the page's, read only
    bool valid = false;
    int line = -1;
    Node *failed = nullptr;
    ParameterIndex index;
    int markedLine = -1;

    void analyse()
    {
        if (lines.isEmpty())
            lines = linesSharing(text, shownLines);
        text.clear();
        shownLines.clear();
        if (!analyzer) {
            analyzer = std::make_shared<SyntaxAnalyzer>(syntaxFile);
            QStringList input = lines;
            valid = analyzer->analyze(&input, line, failed);
        }
        index = ParameterIndex(analyzer->getRoot(), lines);
        markedLine = valid ? -1 : line;
        // A file that ended too early is marked on its last line that holds anything.
        if (!valid && line >= lines.size()) {
            markedLine = lines.size() - 1;
            while (markedLine > 0 && lines.at(markedLine).trimmed().isEmpty())
                --markedLine;
        }
    }
};

LiveAnalysis::LiveAnalysis(EditorTabs *page) : QObject(page), page(page), timer(new QTimer(this))
{
    timer->setSingleShot(true);
    timer->setInterval(debounceMs);
    connect(timer, &QTimer::timeout, this, &LiveAnalysis::start);
    connect(page->textEdit, &QTextEdit::textChanged, this, &LiveAnalysis::textChanged);
    page->textEdit->viewport()->installEventFilter(this);
    timer->start();
}

LiveAnalysis::~LiveAnalysis()
{
    // The worker must not outlive the program's resources.
    waitForWorker();
    AnalysisWorker &worker = AnalysisWorker::shared();
    worker.release(std::move(result));
    worker.release(std::move(running));
    worker.release(std::move(adopted));
    worker.returnFreedMemory();
}

// Shown once the caller's own work is done, without waiting for a pause in typing: the
// analysis is of the text as it stands.
void LiveAnalysis::adopt(std::shared_ptr<SyntaxAnalyzer> analysis, const QStringList &lines,
                         bool valid, int line, Node *failed)
{
    if (!analysis)
        return;
    // A 7.0 analysis that lost to 6.4 on opening may be held here alone.
    AnalysisWorker::shared().release(std::move(adopted));
    adopted = std::make_shared<LiveRun>();
    adopted->generation = generation;
    adopted->syntaxFile = page->syntaxFile;
    adopted->analyzer = std::move(analysis);
    adopted->lines = lines;
    adopted->valid = valid;
    adopted->line = line;
    adopted->failed = failed;
    timer->stop();
    QTimer::singleShot(0, this, [this] {
        if (adopted)
            start();
    });
}

bool LiveAnalysis::shows(const SyntaxAnalyzer *analysis) const
{
    return result && result->analyzer.get() == analysis;
}

void LiveAnalysis::waitForWorker()
{
    if (analysing)
        AnalysisWorker::shared().waitFor(job);
}

void LiveAnalysis::textChanged()
{
    ++generation;
    timer->start();
}

void LiveAnalysis::start()
{
    // The load's analysis is adopted when it ends; a second one meanwhile would only compete.
    if (page->analysisPending()) {
        timer->start();
        return;
    }
    if (analysing) {
        rerun = true;
        return;
    }
    AnalysisWorker &worker = AnalysisWorker::shared();
    // An analysis the page made of the text as it still is needs no second one.
    std::shared_ptr<LiveRun> run = std::move(adopted);
    if (run && run->generation != generation)
        worker.release(std::move(run));
    if (!run) {
        run = std::make_shared<LiveRun>();
        run->generation = generation;
        run->syntaxFile = page->syntaxFile;
        run->text = page->textEdit->toPlainText();
        if (result)
            run->shownLines = result->lines;
    }
    running = std::move(run);
    LiveRun *started = running.get();
    analysing = true;
    job = worker.run([started] { started->analyse(); }, this, [this] { finished(); });
}

void LiveAnalysis::finished()
{
    analysing = false;
    std::shared_ptr<LiveRun> spent = std::move(running);
    // A result for text that has changed since would mark the wrong lines.
    if (spent->generation == generation) {
        std::swap(result, spent);
        page->takeLiveAnalysis(result->analyzer, result->syntaxFile);
        showMarker();
        emit analysed();
    }
    AnalysisWorker::shared().release(std::move(spent));
    if (rerun) {
        rerun = false;
        start();
    }
}

bool LiveAnalysis::isUpToDate() const
{
    return result && result->generation == generation && !analysing && !timer->isActive();
}

QString LiveAnalysis::verdict() const
{
    if (!result)
        return QString();
    if (result->valid)
        return tr("valid %1")
            .arg(result->syntaxFile == defaultSyntax ? QStringLiteral("7.0")
                                                     : QStringLiteral("6.4"));
    if (!result->failed)
        return tr("error in line %1: too much input").arg(result->line + 1);
    if (result->line >= result->lines.size())
        return tr("end of file reached: %1 expected").arg(result->failed->name());
    return tr("error in line %1: Parameter = %2").arg(result->line + 1).arg(result->failed->name());
}

int LiveAnalysis::markedLine() const
{
    return result ? result->markedLine : -1;
}

QString LiveAnalysis::markerToolTip() const
{
    if (!result || result->valid)
        return QString();
    return syntaxFaultExplanation(result->failed, result->lines, result->line, result->index);
}

bool LiveAnalysis::lineUnchanged(int line) const
{
    const QTextBlock block = page->textEdit->document()->findBlockByNumber(line);
    return result && block.isValid() && line < result->lines.size() &&
           block.text() == result->lines.at(line);
}

QString LiveAnalysis::parametersAtLine(int line) const
{
    if (!lineUnchanged(line))
        return QString();
    QStringList descriptions;
    for (const Node *parameter : result->index.parametersOfLine(line))
        descriptions << describeParameter(parameter);
    // Where the analysis stopped, what the grammar wanted there matters most.
    if (line == result->markedLine)
        descriptions << (result->failed ? tr("expected: %1").arg(describeParameter(result->failed))
                                        : tr("no more input expected"));
    return descriptions.join(QStringLiteral(" | "));
}

QString LiveAnalysis::toolTipAt(int line, int column) const
{
    if (!lineUnchanged(line))
        return QString();
    if (line == result->markedLine)
        return markerToolTip();
    const Node *owner = result->index.ownerAt(line, result->lines.at(line), column);
    return owner ? describeParameter(owner) : QString();
}

bool LiveAnalysis::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QObject::eventFilter(watched, event);
    auto *help = static_cast<QHelpEvent *>(event);
    const QTextCursor cursor = page->textEdit->cursorForPosition(help->pos());
    const QString text = toolTipAt(cursor.blockNumber(), cursor.positionInBlock());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, page->textEdit->viewport());
    return true;
}

void LiveAnalysis::showMarker()
{
    QList<QTextEdit::ExtraSelection> marks;
    const QTextBlock block = page->textEdit->document()->findBlockByNumber(markedLine());
    if (block.isValid()) {
        QTextEdit::ExtraSelection line;
        line.cursor = QTextCursor(block);
        line.format.setBackground(QColor(255, 228, 228));
        line.format.setProperty(QTextFormat::FullWidthSelection, true);
        QTextEdit::ExtraSelection underline;
        underline.cursor = QTextCursor(block);
        underline.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        underline.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        underline.format.setUnderlineColor(Qt::red);
        marks << line << underline;
    }
    page->textEdit->setExtraSelections(marks);
}
