#include "app/live/analysisworker.h"
#include "syntax/nodearena.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

#ifdef __GLIBC__
#include <malloc.h>
#endif

AnalysisWorker &AnalysisWorker::shared()
{
    static AnalysisWorker worker;
    return worker;
}

AnalysisWorker::AnalysisWorker() : thread(QThread::create([this] { serve(); }))
{
    thread->start(QThread::LowPriority);
}

AnalysisWorker::~AnalysisWorker()
{
    {
        QMutexLocker lock(&mutex);
        stopping = true;
        arrived.wakeAll();
    }
    thread->wait();
    delete thread;
}

quint64 AnalysisWorker::run(std::function<void()> job, QObject *receiver,
                            std::function<void()> done)
{
    return post([job = std::move(job), receiver, done = std::move(done)] {
        job();
        QMetaObject::invokeMethod(receiver, done, Qt::QueuedConnection);
    });
}

quint64 AnalysisWorker::post(std::function<void()> job)
{
    QMutexLocker lock(&mutex);
    jobs.push_back(std::move(job));
    arrived.wakeAll();
    return ++given;
}

void AnalysisWorker::waitFor(quint64 job)
{
    QMutexLocker lock(&mutex);
    while (finished < job)
        ended.wait(&mutex);
}

void AnalysisWorker::serve()
{
    QMutexLocker lock(&mutex);
    for (;;) {
        while (jobs.empty() && !stopping)
            arrived.wait(&mutex);
        if (jobs.empty())
            return;
        std::function<void()> job = std::move(jobs.front());
        jobs.pop_front();
        lock.unlock();
        job();
        // What the job held is freed here too, not by whoever waits for it.
        job = nullptr;
        lock.relock();
        ++finished;
        ended.wakeAll();
    }
}

// Only for when a page goes. Between analyses the freed memory is what the next one takes, and
// trimming also empties the window thread's heap, whose next large allocation then faults its
// pages in again while the user types.
void AnalysisWorker::returnFreedMemory()
{
    post([] {
        NodeArena::releaseSpareBlocks();
#ifdef __GLIBC__
        malloc_trim(0);
#endif
    });
}
