#ifndef VORPEN_ANALYSISWORKER_H
#define VORPEN_ANALYSISWORKER_H

#include <QMutex>
#include <QWaitCondition>
#include <QtGlobal>

#include <deque>
#include <functional>
#include <memory>

class QObject;
class QThread;

// The one long-lived thread that makes the analyses of every page and frees the trees they
// replace, one job after another. glibc keeps memory freed by a thread's heap for that heap, so
// a tree freed here is the memory the next analysis takes; short-lived threads would each leave
// a tree's worth unused behind.
class AnalysisWorker
{
public:
    static AnalysisWorker &shared();
    ~AnalysisWorker();
    AnalysisWorker(const AnalysisWorker &) = delete;
    AnalysisWorker &operator=(const AnalysisWorker &) = delete;

    // Runs job after the jobs given before it, then done on receiver's thread; receiver waits
    // for the job before it goes. Returns the job's number for waitFor().
    quint64 run(std::function<void()> job, QObject *receiver, std::function<void()> done);
    // Frees owned on the worker, after what it is doing now; nothing may refer to it any more.
    template <typename Owned> void release(std::shared_ptr<Owned> owned)
    {
        if (owned)
            post([owned = std::move(owned)]() mutable { owned.reset(); });
    }
    // Gives the memory the heaps hold free back to the system, after the jobs given before.
    void returnFreedMemory();
    // Returns once the job numbered job and every job given before it have ended.
    void waitFor(quint64 job);

private:
    AnalysisWorker();
    quint64 post(std::function<void()> job);
    void serve();

    QMutex mutex;
    QWaitCondition arrived;
    QWaitCondition ended;
    std::deque<std::function<void()>> jobs;
    quint64 given = 0;
    quint64 finished = 0;
    bool stopping = false;
    QThread *thread;
};

#endif
