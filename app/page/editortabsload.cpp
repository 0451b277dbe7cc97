// The analysis of a loaded text, which may run while the page already shows it.
#include "app/page/editortabs.h"

#include "app/live/analysisworker.h"
#include "app/outline/bookmarks.h"
#include "app/text/customtextedit.h"
#include "syntax/checkverdict.h"
#include "syntax/syntaxanalyzer.h"

// The text of a load and its analysis under 7.0, or 6.4 when that gets further; touched by the
// worker only until it finishes.
struct LoadAnalysis
{
    QStringList lines;
    CheckVerdict verdict;

    void run() { verdict = checkLines(lines, QStringLiteral("auto")); }
};

void EditorTabs::analyzeLoadedText(bool inBackground, std::function<void()> done)
{
    settleAnalysis();
    pendingLoad = std::make_shared<LoadAnalysis>();
    pendingLoad->lines = textLines();
    loadRevision = textEdit->document()->revision();
    loadDone = std::move(done);
    if (!inBackground) {
        pendingLoad->run();
        takeLoadAnalysis();
        return;
    }
    LoadAnalysis *load = pendingLoad.get();
    // An analysis whose result settleAnalysis() has taken in finishes into nothing.
    const quint64 serial = ++loadSerial;
    loadJob = AnalysisWorker::shared().run([load] { load->run(); }, this,
                                           [this, serial] {
                                               if (serial == loadSerial)
                                                   takeLoadAnalysis();
                                           });
}

void EditorTabs::settleAnalysis()
{
    if (loadJob)
        takeLoadAnalysis();
}

void EditorTabs::takeLoadAnalysis()
{
    if (loadJob) {
        AnalysisWorker::shared().waitFor(loadJob);
        loadJob = 0;
        ++loadSerial;
    }
    const std::shared_ptr<LoadAnalysis> load = std::move(pendingLoad);
    std::function<void()> done = std::move(loadDone);
    if (!load)
        return;
    const CheckVerdict &verdict = load->verdict;
    AnalysisWorker::shared().release(std::move(analyzer));
    analyzer = verdict.analysis;
    syntaxFile = syntaxFileOf(verdict.version);
    syntaxValid = verdict.valid;
    analysedRevision = loadRevision;
    analysedSyntax = syntaxFile;
    // Text typed while the analysis ran is the live analysis' to check.
    if (textEdit->document()->revision() == loadRevision)
        shareAnalysis(load->lines, verdict.valid, verdict.line, verdict.failed);
    bookmarks->updateModel(&load->lines);
    if (done)
        done();
}
