#include "tools/vorpen-lsp/analysisscheduler.h"

#include "tools/vorpen-lsp/documentanalysis.h"

#include <QJsonValue>
#include <QTimer>

AnalysisScheduler::AnalysisScheduler(int pauseMs, QObject *parent)
    : QObject(parent), pauseMs(pauseMs)
{
    // One analysis may still run for an old text while the newest one starts.
    workers.setMaxThreadCount(qMax(2, QThread::idealThreadCount()));
}

AnalysisScheduler::~AnalysisScheduler()
{
    // Workers post their results to this object, so none may outlive it.
    workers.waitForDone();
}

void AnalysisScheduler::schedule(const QString &uri, const QString &text, quint64 generation,
                                 const QString &syntax)
{
    Pending &entry = pending[uri];
    if (!entry.timer) {
        entry.timer = new QTimer(this);
        entry.timer->setSingleShot(true);
        connect(entry.timer, &QTimer::timeout, this, [this, uri] { start(uri); });
    }
    entry.text = text;
    entry.generation = generation;
    entry.newest->store(generation);
    entry.syntax = syntax;
    entry.timer->start(pauseMs);
}

void AnalysisScheduler::forget(const QString &uri)
{
    const auto entry = pending.find(uri);
    if (entry == pending.end())
        return;
    delete entry->timer;
    pending.erase(entry);
}

void AnalysisScheduler::start(const QString &uri)
{
    Pending &entry = pending[uri];
    const QString text = std::exchange(entry.text, QString());
    const quint64 generation = entry.generation;
    const QString syntax = entry.syntax;
    const std::shared_ptr<std::atomic<quint64>> newest = entry.newest;
    workers.start([this, uri, text, generation, syntax, newest] {
        // A job that waited for a worker while the text changed again has nothing to report.
        if (newest->load() != generation)
            return;
        std::shared_ptr<DocumentAnalysis> analysis = checkDocument(text, syntax, generation);
        if (newest->load() != generation)
            return;
        if (analysis->verdict.valid)
            QMetaObject::invokeMethod(
                this, [this, uri, generation] { emit foundValid(uri, generation); },
                Qt::QueuedConnection);
        indexDocument(*analysis);
        std::shared_ptr<const DocumentAnalysis> done = std::move(analysis);
        QMetaObject::invokeMethod(
            this, [this, uri, done]() mutable { emit analysed(uri, std::move(done)); },
            Qt::QueuedConnection);
    });
}

void AnalysisScheduler::runInBackground(std::function<QJsonValue()> work,
                                        std::function<void(QJsonValue)> done)
{
    workers.start([this, work = std::move(work), done = std::move(done)] {
        const QJsonValue result = work();
        QMetaObject::invokeMethod(
            this, [done, result] { done(result); }, Qt::QueuedConnection);
    });
}
