// Opening generated driving files in a tab of the editor, the outline and the highlighter.
// Runs headless (QT_QPA_PLATFORM=offscreen); typing has its own program, bench_typing.
#include "app/live/liveanalysis.h"
#include "app/outline/bookmarks.h"
#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/text/customtextedit.h"
#include "app/text/highlighter.h"
#include "app/window/editor.h"
#include "bench/benchinputs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QThreadPool>

#include <benchmark/benchmark.h>

namespace {

const QString v70 = QStringLiteral("7.0");
const QString v64 = QStringLiteral("6.4");

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

Editor &editor()
{
    static Editor *instance = [] {
        auto *created = new Editor(scratch().filePath(QStringLiteral(".vorpenrc7000")));
        created->resize(1280, 960);
        created->show();
        return created;
    }();
    return *instance;
}

QString writtenFile(const QString &version, Grown grown, int n)
{
    const QString path =
        scratch().filePath(QStringLiteral("g%1_%2_%3_dri.txt").arg(int(grown)).arg(n).arg(version));
    QFile file(path);
    if (!QFile::exists(path) && file.open(QIODevice::WriteOnly))
        file.write(benchText(version, grown, n).toUtf8());
    return path;
}

// Peak resident memory of the process so far.
double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

void waitForLiveAnalysis(LiveAnalysis *live)
{
    QElapsedTimer clock;
    clock.start();
    while (!live->isUpToDate() && clock.elapsed() < 60000)
        QTest::qWait(5);
}

void closeAllTabs()
{
    Editor &e = editor();
    while (e.tabWidget->count() > 0)
        e.slotCloseTab(e.tabWidget->count() - 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Closed pages free their analyses on pool threads; the next open starts without them.
    QThreadPool::globalInstance()->waitForDone();
    e.slotNewTab();
}

// Open a file as "Open" does and wait until the page is painted and takes keys. A 6.4 file
// is analysed twice: first against the 7.0 grammar, which refuses it. The live analysis that
// follows is not timed, but its memory counts in the peak.
void loadTab(benchmark::State &state, const QString &version, Grown grown)
{
    const QString path = writtenFile(version, grown, int(state.range(0)));
    Editor &e = editor();
    for (auto _ : state) {
        e.loadFile(path, false);
        e.slotChangeTab(e.tabWidget->indexOf(e.currentTab));
        e.currentTab->textEdit->setFocus();
        e.currentTab->textEdit->viewport()->repaint();
        QApplication::processEvents();
        state.PauseTiming();
        waitForLiveAnalysis(e.currentTab->liveAnalysis);
        closeAllTabs();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peakMegabytes();
    state.SetComplexityN(state.range(0));
}

void outline(benchmark::State &state, const QString &version, Grown grown)
{
    const QStringList lines = benchLines(version, grown, int(state.range(0)));
    Bookmarks bookmarks;
    for (auto _ : state)
        bookmarks.updateModel(&lines);
    state.SetComplexityN(state.range(0));
}

// Text set into a document that has its highlighter already, as a page loads it.
void highlighting(benchmark::State &state)
{
    const QString text = benchText(v70, Grown::Grains, int(state.range(0)));
    for (auto _ : state) {
        QTextDocument document;
        Highlighter highlighter(&document);
        document.setPlainText(text);
        state.PauseTiming();
        document.clear();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

void fileSizes(benchmark::internal::Benchmark *b)
{
    b->Arg(1000)->Arg(2000)->Arg(4000)->Arg(8000)->Arg(10000)->Arg(16000);
    b->Unit(benchmark::kMillisecond)->Iterations(3)->Complexity();
}

} // namespace

BENCHMARK_CAPTURE(loadTab, v70_grains, v70, Grown::Grains)->Apply(fileSizes);
BENCHMARK_CAPTURE(loadTab, v64_grains, v64, Grown::Grains)->Apply(fileSizes);
BENCHMARK_CAPTURE(outline, v70_grains, v70, Grown::Grains)
    ->RangeMultiplier(2)
    ->Range(1000, 16000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK_CAPTURE(outline, v64_phases, v64, Grown::Phases)
    ->RangeMultiplier(2)
    ->Range(8, 64)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(highlighting)->Apply(fileSizes);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", scratch().path().toLocal8Bit());
    Q_INIT_RESOURCE(MyRes);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
