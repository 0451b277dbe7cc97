#ifndef VORPEN_ANALYSISSCHEDULER_H
#define VORPEN_ANALYSISSCHEDULER_H

#include <QHash>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>

class QTimer;
struct DocumentAnalysis;

// Analyses documents on worker threads once their text has rested for a pause. A newer text
// does not wait for the analysis of an older one; the receiver drops results by generation.
class AnalysisScheduler : public QObject
{
    Q_OBJECT
public:
    explicit AnalysisScheduler(int pauseMs, QObject *parent = nullptr);
    ~AnalysisScheduler() override;

    // Analyses text after the pause unless the document's text is scheduled again before.
    void schedule(const QString &uri, const QString &text, quint64 generation,
                  const QString &syntax);
    void forget(const QString &uri);
    // Runs work on a worker and hands its result to done on this object's thread.
    void runInBackground(std::function<QJsonValue()> work, std::function<void(QJsonValue)> done);

signals:
    // A valid text is reported before its index is built, so that its diagnostics go out early.
    void foundValid(const QString &uri, quint64 generation);
    void analysed(const QString &uri, std::shared_ptr<const DocumentAnalysis> analysis);

private:
    struct Pending
    {
        QTimer *timer = nullptr;
        QString text;
        quint64 generation = 0;
        QString syntax;
        // The newest generation scheduled, read by workers to skip what is superseded.
        std::shared_ptr<std::atomic<quint64>> newest = std::make_shared<std::atomic<quint64>>(0);
    };
    void start(const QString &uri);

    int pauseMs;
    QHash<QString, Pending> pending;
    QThreadPool workers;
};

#endif
