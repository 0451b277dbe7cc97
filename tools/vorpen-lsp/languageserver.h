#ifndef VORPEN_LANGUAGESERVER_H
#define VORPEN_LANGUAGESERVER_H

#include "tools/vorpen-lsp/jsonrpc.h"
#include "tools/vorpen-lsp/textdocument.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QVector>

#include <functional>
#include <memory>

class AnalysisScheduler;
struct DocumentAnalysis;

// The server's side of the protocol: lifecycle, open documents, requests and their
// cancellation. Messages come in as bodies and go out through the sender, both on the thread
// the server lives on.
class LanguageServer : public QObject
{
    Q_OBJECT
public:
    using Sender = std::function<void(const QByteArray &body)>;

    static const int defaultPauseMs = 100;

    explicit LanguageServer(Sender send, int pauseMs = defaultPauseMs, QObject *parent = nullptr);
    ~LanguageServer() override;

    // "auto", "7.0" or "6.4"; false for anything else.
    bool setSyntax(const QString &syntax);

    void receive(const QByteArray &body);
    void refuseFraming(const QString &reason);
    void inputClosed();

signals:
    // The client has ended the session; status 0 after a shutdown request, else 1.
    void finished(int status);

private:
    struct OpenDocument
    {
        TextDocument text;
        quint64 generation = 0;
        std::shared_ptr<const DocumentAnalysis> analysis;
        quint64 published = 0; // the generation whose diagnostics went out
    };
    // A request that waits for the analysis of its document's current text.
    struct WaitingRequest
    {
        QJsonValue id;
        QString method;
        QJsonObject params;
    };

    void handleRequest(const RpcMessage &message);
    void handleNotification(const RpcMessage &message);
    void initialize(const RpcMessage &message);
    void answerFromText(const RpcMessage &message, const OpenDocument &document);
    void answerFromAnalysis(const WaitingRequest &request, const QString &uri,
                            const DocumentAnalysis &analysis);
    void complete(const RpcMessage &message, const OpenDocument &document);
    void cancel(const QJsonValue &id);

    void open(const QJsonObject &params);
    void change(const QJsonObject &params);
    void close(const QJsonObject &params);
    void configure(const QJsonObject &settings);
    void textChanged(const QString &uri, OpenDocument &document);
    void foundValid(const QString &uri, quint64 generation);
    void analysed(const QString &uri, std::shared_ptr<const DocumentAnalysis> analysis);
    void publish(const QString &uri, OpenDocument &document, const QJsonArray &diagnostics);

    void reply(const QJsonValue &id, const QJsonValue &result);
    void replyError(const QJsonValue &id, RpcError code, const QString &text);
    void notify(const QString &method, const QJsonObject &params);
    void log(const QString &text);

    enum class State
    {
        Uninitialized,
        Running,
        ShutDown
    };

    Sender send;
    AnalysisScheduler *scheduler;
    State state = State::Uninitialized;
    QString syntax = QStringLiteral("auto");
    quint64 generations = 0;
    QHash<QString, OpenDocument> documents;
    QHash<QString, QVector<WaitingRequest>> waiting;
    QSet<QString> running; // requests answered by a worker, by their id's key
};

#endif
