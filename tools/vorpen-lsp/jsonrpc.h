#ifndef VORPEN_JSONRPC_H
#define VORPEN_JSONRPC_H

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

// Error codes of JSON-RPC and of the language server protocol.
enum class RpcError
{
    ParseError = -32700,
    InvalidRequest = -32600,
    MethodNotFound = -32601,
    InvalidParams = -32602,
    InternalError = -32603,
    ServerNotInitialized = -32002,
    RequestCancelled = -32800
};

// One incoming message: a request (with id), a notification (without) or a response.
struct RpcMessage
{
    enum class Kind
    {
        Request,
        Notification,
        Response
    };
    Kind kind = Kind::Notification;
    QJsonValue id; // a number or a string for requests and responses
    QString method;
    QJsonObject params;
};

// Reads a message body; on failure fills error and leaves in id what could be read of it.
bool parseMessage(const QByteArray &body, RpcMessage &message, RpcError &error, QString &reason);

QByteArray resultMessage(const QJsonValue &id, const QJsonValue &result);
QByteArray errorMessage(const QJsonValue &id, RpcError code, const QString &text);
QByteArray notificationMessage(const QString &method, const QJsonObject &params);

#endif
