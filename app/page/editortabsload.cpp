// The analysis of a loaded text, which may run while the page already shows it.
#include "app/page/editortabs.h"

#include "app/outline/bookmarks.h"
#include "app/text/customtextedit.h"
#include "syntax/backgroundrelease.h"
#include "syntax/checkverdict.h"
#include "syntax/syntaxanalyzer.h"

#include <QThread>

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
    loadWorker = QThread::create([load] { load->run(); });
    // A worker whose result settleAnalysis() has taken in finishes into nothing.
    const quint64 serial = ++loadSerial;
    connect(loadWorker, &QThread::finished, this, [this, serial] {
        if (serial == loadSerial)
            takeLoadAnalysis();
    });
    loadWorker->start();
}

void EditorTabs::settleAnalysis()
{
    if (loadWorker)
        takeLoadAnalysis();
}

void EditorTabs::takeLoadAnalysis()
{
    if (loadWorker) {
        loadWorker->wait();
        delete loadWorker;
        loadWorker = nullptr;
        ++loadSerial;
    }
    const std::shared_ptr<LoadAnalysis> load = std::move(pendingLoad);
    std::function<void()> done = std::move(loadDone);
    if (!load)
        return;
    const CheckVerdict &verdict = load->verdict;
    releaseInBackground(std::move(analyzer));
    analyzer = verdict.analysis;
    syntaxFile = syntaxFileOf(verdict.version);
    syntaxValid = verdict.valid;
    analysedRevision = loadRevision;
    analysedSyntax = syntaxFile;
    // Text typed while the analysis ran is the live analysis' to check.
    if (textEdit->document()->revision() == loadRevision)
        shareAnalysis(verdict.valid, verdict.line, verdict.failed);
    bookmarks->updateModel(&load->lines);
    if (done)
        done();
}
