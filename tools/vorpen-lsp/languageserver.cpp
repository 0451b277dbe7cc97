#include "tools/vorpen-lsp/languageserver.h"

#include "app/main.h"
#include "syntax/backgroundrelease.h"
#include "tools/vorpen-lsp/analysisscheduler.h"
#include "tools/vorpen-lsp/documentanalysis.h"
#include "tools/vorpen-lsp/features.h"

#include <QJsonArray>

namespace {

const int incrementalSync = 2;

QString idKey(const QJsonValue &id)
{
    return id.isString() ? QStringLiteral("s") + id.toString()
                         : QStringLiteral("n") + QString::number(id.toDouble(), 'g', 17);
}

QJsonObject capabilities()
{
    return {
        {QStringLiteral("positionEncoding"), QStringLiteral("utf-16")},
        {QStringLiteral("textDocumentSync"),
         QJsonObject{
             {QStringLiteral("openClose"), true},
             {QStringLiteral("change"), incrementalSync},
             {QStringLiteral("save"), QJsonObject{{QStringLiteral("includeText"), false}}}}},
        {QStringLiteral("completionProvider"), QJsonObject{}},
        {QStringLiteral("hoverProvider"), true},
        {QStringLiteral("documentSymbolProvider"), true},
        {QStringLiteral("codeActionProvider"),
         QJsonObject{{QStringLiteral("codeActionKinds"), QJsonArray{QStringLiteral("quickfix")}}}},
        {QStringLiteral("definitionProvider"), true},
        {QStringLiteral("foldingRangeProvider"), true}};
}

bool needsAnalysis(const QString &method)
{
    return method == QLatin1String("textDocument/hover") ||
           method == QLatin1String("textDocument/codeAction");
}

bool answeredFromText(const QString &method)
{
    return method == QLatin1String("textDocument/documentSymbol") ||
           method == QLatin1String("textDocument/foldingRange") ||
           method == QLatin1String("textDocument/definition");
}

// The grammar a setting names, from "syntax" of an object or of its "vorpen" member.
QString syntaxSetting(const QJsonObject &settings)
{
    const QJsonValue own = settings.value(QLatin1String("vorpen"));
    const QJsonObject scope = own.isObject() ? own.toObject() : settings;
    return scope.value(QLatin1String("syntax")).toString();
}

} // namespace

LanguageServer::LanguageServer(Sender send, int pauseMs, QObject *parent)
    : QObject(parent), send(std::move(send)), scheduler(new AnalysisScheduler(pauseMs, this))
{
    connect(scheduler, &AnalysisScheduler::foundValid, this, &LanguageServer::foundValid);
    connect(scheduler, &AnalysisScheduler::analysed, this, &LanguageServer::analysed);
}

LanguageServer::~LanguageServer()
{
    // Workers finish before the documents they report on are gone.
    delete scheduler;
}

bool LanguageServer::setSyntax(const QString &value)
{
    if (value != QLatin1String("auto") && value != QLatin1String("7.0") &&
        value != QLatin1String("6.4"))
        return false;
    syntax = value;
    return true;
}

void LanguageServer::receive(const QByteArray &body)
{
    RpcMessage message;
    RpcError error = RpcError::InternalError;
    QString reason;
    if (!parseMessage(body, message, error, reason)) {
        replyError(message.id, error, reason);
        return;
    }
    if (message.kind == RpcMessage::Kind::Request)
        handleRequest(message);
    else if (message.kind == RpcMessage::Kind::Notification)
        handleNotification(message);
}

void LanguageServer::refuseFraming(const QString &reason)
{
    replyError(QJsonValue(), RpcError::ParseError, reason);
}

void LanguageServer::inputClosed()
{
    emit finished(state == State::ShutDown ? 0 : 1);
}

void LanguageServer::handleRequest(const RpcMessage &message)
{
    if (message.method == QLatin1String("initialize")) {
        initialize(message);
        return;
    }
    if (state == State::Uninitialized) {
        replyError(message.id, RpcError::ServerNotInitialized, tr("initialize first"));
        return;
    }
    if (state == State::ShutDown) {
        replyError(message.id, RpcError::InvalidRequest, tr("the server is shut down"));
        return;
    }
    if (message.method == QLatin1String("shutdown")) {
        state = State::ShutDown;
        reply(message.id, QJsonValue::Null);
        return;
    }
    const bool known = needsAnalysis(message.method) || answeredFromText(message.method) ||
                       message.method == QLatin1String("textDocument/completion");
    if (!known) {
        replyError(message.id, RpcError::MethodNotFound,
                   tr("unknown method %1").arg(message.method));
        return;
    }
    const QString uri = documentUri(message.params);
    const auto document = documents.constFind(uri);
    if (document == documents.constEnd()) {
        replyError(message.id, RpcError::InvalidParams, tr("document not open: %1").arg(uri));
        return;
    }
    if (message.method == QLatin1String("textDocument/completion"))
        complete(message, *document);
    else if (answeredFromText(message.method))
        answerFromText(message, *document);
    else if (document->analysis && document->analysis->generation == document->generation)
        answerFromAnalysis({message.id, message.method, message.params}, uri, *document->analysis);
    else
        waiting[uri].append({message.id, message.method, message.params});
}

void LanguageServer::initialize(const RpcMessage &message)
{
    if (state != State::Uninitialized) {
        replyError(message.id, RpcError::InvalidRequest, tr("initialize was sent twice"));
        return;
    }
    const QJsonValue options = message.params.value(QLatin1String("initializationOptions"));
    const QString chosen = syntaxSetting(options.toObject());
    if (!chosen.isEmpty() && !setSyntax(chosen))
        log(tr("unknown syntax \"%1\" (expected auto, 7.0 or 6.4)").arg(chosen));
    state = State::Running;
    reply(message.id,
          QJsonObject{{QStringLiteral("capabilities"), capabilities()},
                      {QStringLiteral("serverInfo"),
                       QJsonObject{{QStringLiteral("name"), QStringLiteral("vorpen-lsp")},
                                   {QStringLiteral("version"), appVersion}}}});
}

void LanguageServer::answerFromText(const RpcMessage &message, const OpenDocument &document)
{
    const QStringList lines = document.text.text().split(QLatin1Char('\n'));
    const QString uri = documentUri(message.params);
    if (message.method == QLatin1String("textDocument/documentSymbol")) {
        reply(message.id, documentSymbols(lines));
    } else if (message.method == QLatin1String("textDocument/foldingRange")) {
        reply(message.id, foldingRanges(lines));
    } else {
        TextPosition position;
        if (!readPosition(message.params.value(QLatin1String("position")), position))
            replyError(message.id, RpcError::InvalidParams, tr("position missing"));
        else
            reply(message.id, sectionOfLine(uri, lines, position.line));
    }
}

void LanguageServer::answerFromAnalysis(const WaitingRequest &request, const QString &uri,
                                        const DocumentAnalysis &analysis)
{
    if (request.method == QLatin1String("textDocument/hover")) {
        TextPosition position;
        if (!readPosition(request.params.value(QLatin1String("position")), position))
            replyError(request.id, RpcError::InvalidParams, tr("position missing"));
        else
            reply(request.id, hoverAt(analysis, position));
        return;
    }
    TextRange range;
    if (!readRange(request.params.value(QLatin1String("range")), range))
        replyError(request.id, RpcError::InvalidParams, tr("range missing"));
    else
        reply(request.id, quickFixesFor(uri, analysis, range));
}

void LanguageServer::complete(const RpcMessage &message, const OpenDocument &document)
{
    TextPosition position;
    if (!readPosition(message.params.value(QLatin1String("position")), position)) {
        replyError(message.id, RpcError::InvalidParams, tr("position missing"));
        return;
    }
    // Before the first analysis the newer grammar is the likelier one.
    const QString version = syntax != QLatin1String("auto") ? syntax
                            : document.analysis             ? document.analysis->verdict.version
                                                            : QStringLiteral("7.0");
    const QString key = idKey(message.id);
    running.insert(key);
    const QString text = document.text.text();
    const QJsonValue id = message.id;
    scheduler->runInBackground(
        [text, position, version] {
            return completionAt(text.split(QLatin1Char('\n')), position, syntaxFileOf(version));
        },
        [this, key, id](const QJsonValue &result) {
            if (running.remove(key))
                reply(id, result);
        });
}

void LanguageServer::cancel(const QJsonValue &id)
{
    const QString key = idKey(id);
    bool cancelled = running.remove(key);
    for (QVector<WaitingRequest> &requests : waiting) {
        for (int i = 0; i < requests.size(); ++i) {
            if (idKey(requests.at(i).id) == key) {
                requests.remove(i);
                cancelled = true;
                break;
            }
        }
    }
    if (cancelled)
        replyError(id, RpcError::RequestCancelled, tr("request cancelled"));
}

void LanguageServer::handleNotification(const RpcMessage &message)
{
    const QString &method = message.method;
    if (method == QLatin1String("exit")) {
        emit finished(state == State::ShutDown ? 0 : 1);
        return;
    }
    if (state != State::Running)
        return;
    if (method == QLatin1String("textDocument/didOpen"))
        open(message.params);
    else if (method == QLatin1String("textDocument/didChange"))
        change(message.params);
    else if (method == QLatin1String("textDocument/didClose"))
        close(message.params);
    else if (method == QLatin1String("workspace/didChangeConfiguration"))
        configure(message.params.value(QLatin1String("settings")).toObject());
    else if (method == QLatin1String("$/cancelRequest"))
        cancel(message.params.value(QLatin1String("id")));
}

void LanguageServer::open(const QJsonObject &params)
{
    const QJsonObject item = params.value(QLatin1String("textDocument")).toObject();
    const QString uri = item.value(QLatin1String("uri")).toString();
    if (uri.isEmpty())
        return;
    OpenDocument &document = documents[uri];
    document.text = TextDocument(item.value(QLatin1String("text")).toString(),
                                 item.value(QLatin1String("version")).toInt());
    textChanged(uri, document);
}

void LanguageServer::change(const QJsonObject &params)
{
    const QJsonObject item = params.value(QLatin1String("textDocument")).toObject();
    const QString uri = item.value(QLatin1String("uri")).toString();
    const auto document = documents.find(uri);
    if (document == documents.end())
        return;
    for (const QJsonValue &change : params.value(QLatin1String("contentChanges")).toArray()) {
        if (!document->text.applyChange(change.toObject()))
            log(tr("a malformed change of %1 was ignored").arg(uri));
    }
    document->text.setVersion(item.value(QLatin1String("version")).toInt());
    textChanged(uri, *document);
}

void LanguageServer::close(const QJsonObject &params)
{
    const QString uri = documentUri(params);
    const auto document = documents.find(uri);
    if (document == documents.end())
        return;
    releaseInBackground(std::move(document->analysis));
    documents.erase(document);
    scheduler->forget(uri);
    for (const WaitingRequest &request : waiting.take(uri))
        reply(request.id, QJsonValue::Null);
    notify(QStringLiteral("textDocument/publishDiagnostics"),
           {{QStringLiteral("uri"), uri}, {QStringLiteral("diagnostics"), QJsonArray()}});
}

void LanguageServer::configure(const QJsonObject &settings)
{
    const QString chosen = syntaxSetting(settings);
    if (chosen.isEmpty() || chosen == syntax)
        return;
    if (!setSyntax(chosen)) {
        log(tr("unknown syntax \"%1\" (expected auto, 7.0 or 6.4)").arg(chosen));
        return;
    }
    for (auto document = documents.begin(); document != documents.end(); ++document)
        textChanged(document.key(), *document);
}

void LanguageServer::textChanged(const QString &uri, OpenDocument &document)
{
    document.generation = ++generations;
    scheduler->schedule(uri, document.text.text(), document.generation, syntax);
}

void LanguageServer::analysed(const QString &uri, std::shared_ptr<const DocumentAnalysis> analysis)
{
    const auto document = documents.find(uri);
    // A result for a text that has changed since would point at the wrong lines.
    if (document == documents.end() || document->generation != analysis->generation) {
        releaseInBackground(std::move(analysis));
        return;
    }
    releaseInBackground(std::exchange(document->analysis, analysis));
    if (document->published != analysis->generation)
        publish(uri, *document, diagnosticsOf(uri, *analysis));
    for (const WaitingRequest &request : waiting.take(uri))
        answerFromAnalysis(request, uri, *analysis);
}

void LanguageServer::foundValid(const QString &uri, quint64 generation)
{
    const auto document = documents.find(uri);
    if (document != documents.end() && document->generation == generation)
        publish(uri, *document, QJsonArray());
}

void LanguageServer::publish(const QString &uri, OpenDocument &document,
                             const QJsonArray &diagnostics)
{
    document.published = document.generation;
    notify(QStringLiteral("textDocument/publishDiagnostics"),
           {{QStringLiteral("uri"), uri},
            {QStringLiteral("version"), document.text.version()},
            {QStringLiteral("diagnostics"), diagnostics}});
}

void LanguageServer::reply(const QJsonValue &id, const QJsonValue &result)
{
    send(resultMessage(id, result));
}

void LanguageServer::replyError(const QJsonValue &id, RpcError code, const QString &text)
{
    send(errorMessage(id, code, text));
}

void LanguageServer::notify(const QString &method, const QJsonObject &params)
{
    send(notificationMessage(method, params));
}

void LanguageServer::log(const QString &text)
{
    const int errorType = 1;
    notify(QStringLiteral("window/logMessage"),
           {{QStringLiteral("type"), errorType}, {QStringLiteral("message"), text}});
}
