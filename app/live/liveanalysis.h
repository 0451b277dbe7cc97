#ifndef VORPEN_LIVEANALYSIS_H
#define VORPEN_LIVEANALYSIS_H

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class EditorTabs;
class SyntaxAnalyzer;
struct Node;
class QTimer;
struct LiveRun;

// Analyses a page's text again shortly after the user stops typing, on a worker thread so that
// typing never waits, marks the line where the analysis stopped and explains tokens.
class LiveAnalysis : public QObject
{
    Q_OBJECT
public:
    explicit LiveAnalysis(EditorTabs *page);
    ~LiveAnalysis() override;

    static const int debounceMs = 400;

    // "valid 7.0", "error in line N: Parameter = X", ...; empty before the first analysis.
    QString verdict() const;
    // Line (from 0) that carries the error marker, -1 without one.
    int markedLine() const;
    // The facts of the check's message about the marked line, with a suggestion when it helps.
    QString markerToolTip() const;
    // The parameters that took the tokens of a line, described for the status bar, and on the
    // marked line what was expected instead.
    QString parametersAtLine(int line) const;
    // What the token at a column of a line is (or the marker's facts on the marked line).
    QString toolTipAt(int line, int column) const;
    // True once the shown result belongs to the current text.
    bool isUpToDate() const;
    // Shows an analysis the page has just made of the current text, given as lines, under its
    // syntax, instead of making the same again.
    void adopt(std::shared_ptr<SyntaxAnalyzer> analysis, const QStringList &lines, bool valid,
               int line, Node *failed);
    // True when the result shown is that analysis.
    bool shows(const SyntaxAnalyzer *analysis) const;
    // Returns once no worker reads an analysis any more.
    void waitForWorker();

signals:
    void analysed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void textChanged();
    void start();
    void finished();
    void showMarker();
    bool lineUnchanged(int line) const;

    EditorTabs *page;
    QTimer *timer;
    bool analysing = false;
    quint64 job = 0; // the worker's number of the latest analysis
    quint64 generation = 0;
    bool rerun = false;
    std::shared_ptr<LiveRun> running; // read by the worker only until it finishes
    std::shared_ptr<LiveRun> result;
    std::shared_ptr<LiveRun> adopted; // the page's analysis, shown at the next run
};

#endif
