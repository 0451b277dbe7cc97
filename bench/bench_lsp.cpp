// The language server on a generated 10,000-grain file: wall time from a change to the
// diagnostics published for it, also when the change arrives while an older text is still
// being analysed, and the answer time of a request meanwhile.
#include "bench/benchinputs.h"
#include "tools/vorpen-lsp/documentanalysis.h"
#include "tools/vorpen-lsp/languageserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <benchmark/benchmark.h>

#include <time.h>

namespace {

const QString uri = QStringLiteral("file:///bench_dri.txt");

// A server in this process and the versions of the diagnostics it has published.
class Session
{
public:
    explicit Session(int grains) : server([this](const QByteArray &body) { read(body); })
    {
        send({{"method", "initialize"}, {"id", 1}, {"params", QJsonObject()}});
        send({{"method", "initialized"}, {"params", QJsonObject()}});
        const QString text = benchText(QStringLiteral("7.0"), Grown::Grains, grains);
        send({{"method", "textDocument/didOpen"},
              {"params", QJsonObject{{"textDocument", QJsonObject{{"uri", uri},
                                                                  {"languageId", "zelmora"},
                                                                  {"version", 0},
                                                                  {"text", text}}}}}});
        waitForDiagnostics(0);
    }

    // Adds or takes away a comment line near the top, which keeps the file valid.
    void change(int version)
    {
        const bool add = version % 2 == 1;
        const QJsonObject range{{"start", QJsonObject{{"line", 1}, {"character", 0}}},
                                {"end", QJsonObject{{"line", add ? 1 : 2}, {"character", 0}}}};
        send({{"method", "textDocument/didChange"},
              {"params",
               QJsonObject{{"textDocument", QJsonObject{{"uri", uri}, {"version", version}}},
                           {"contentChanges",
                            QJsonArray{QJsonObject{{"range", range},
                                                   {"text", add ? "# edited\n" : ""}}}}}}});
    }

    void request(int id)
    {
        send({{"method", "textDocument/documentSymbol"},
              {"id", id},
              {"params", QJsonObject{{"textDocument", QJsonObject{{"uri", uri}}}}}});
    }

    void waitForDiagnostics(int version)
    {
        while (published != version)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (diagnostics != 0)
            qFatal("the generated file was refused");
    }

    void waitForReply(int id)
    {
        while (replied != id)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }

private:
    void send(QJsonObject message)
    {
        message.insert("jsonrpc", "2.0");
        server.receive(QJsonDocument(message).toJson(QJsonDocument::Compact));
    }

    void read(const QByteArray &body)
    {
        const QJsonObject message = QJsonDocument::fromJson(body).object();
        if (message.contains("id")) {
            replied = message.value("id").toInt();
            return;
        }
        const QJsonObject params = message.value("params").toObject();
        published = params.value("version").toInt(-1);
        diagnostics = params.value("diagnostics").toArray().size();
    }

    LanguageServer server;
    int published = -1;
    int diagnostics = 0;
    int replied = 0;
};

double elapsedSeconds(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) * 1e-9;
}

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + 1e-9 * double(now.tv_nsec);
}

// The worker's part of the time, in CPU time of its thread, so that other load does not count:
// the verdict, after which a valid file's diagnostics go out, and the index for requests.
void documentAnalysis(benchmark::State &state)
{
    const QString text = benchText(QStringLiteral("7.0"), Grown::Grains, int(state.range(0)));
    double checking = 0;
    double indexing = 0;
    for (auto _ : state) {
        const double start = cpuSeconds();
        std::shared_ptr<DocumentAnalysis> analysis = checkDocument(text, QStringLiteral("auto"), 1);
        const double checked = cpuSeconds();
        indexDocument(*analysis);
        const double indexed = cpuSeconds();
        state.SetIterationTime(indexed - start);
        checking += checked - start;
        indexing += indexed - checked;
        benchmark::DoNotOptimize(analysis);
    }
    state.counters["check_ms"] =
        benchmark::Counter(checking * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["index_ms"] =
        benchmark::Counter(indexing * 1e3, benchmark::Counter::kAvgIterations);
}

void diagnosticsAfterChange(benchmark::State &state)
{
    Session session(int(state.range(0)));
    int version = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        session.change(++version);
        session.waitForDiagnostics(version);
        state.SetIterationTime(elapsedSeconds(clock));
    }
}

// Changes the text and returns once its analysis has started on a worker.
void changeAndLetAnalysisStart(Session &session, int version)
{
    session.change(version);
    QThread::msleep(LanguageServer::defaultPauseMs + 20);
    QCoreApplication::processEvents();
}

// The second change comes while the first one's text is being analysed; it is timed.
void changeDuringAnalysis(benchmark::State &state)
{
    Session session(int(state.range(0)));
    int version = 0;
    for (auto _ : state) {
        changeAndLetAnalysisStart(session, ++version);
        QElapsedTimer clock;
        clock.start();
        session.change(++version);
        session.waitForDiagnostics(version);
        state.SetIterationTime(elapsedSeconds(clock));
    }
}

// A request answered from the text while the analysis runs on a worker.
void requestDuringAnalysis(benchmark::State &state)
{
    Session session(int(state.range(0)));
    int version = 0;
    int id = 100;
    for (auto _ : state) {
        changeAndLetAnalysisStart(session, ++version);
        QElapsedTimer clock;
        clock.start();
        session.request(++id);
        session.waitForReply(id);
        state.SetIterationTime(elapsedSeconds(clock));
        session.waitForDiagnostics(version);
    }
}

} // namespace

BENCHMARK(documentAnalysis)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(diagnosticsAfterChange)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(changeDuringAnalysis)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(requestDuringAnalysis)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    Q_INIT_RESOURCE(MyRes);
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
