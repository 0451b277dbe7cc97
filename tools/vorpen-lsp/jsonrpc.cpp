#include "tools/vorpen-lsp/jsonrpc.h"

#include <QJsonDocument>
#include <QJsonParseError>

namespace {

QByteArray compact(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QJsonObject envelope()
{
    return QJsonObject{{QStringLiteral("jsonrpc"), QStringLiteral("2.0")}};
}

bool validId(const QJsonValue &id)
{
    return id.isDouble() || id.isString();
}

} // namespace

bool parseMessage(const QByteArray &body, RpcMessage &message, RpcError &error, QString &reason)
{
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parse);
    if (parse.error != QJsonParseError::NoError) {
        error = RpcError::ParseError;
        reason = parse.errorString();
        return false;
    }
    error = RpcError::InvalidRequest;
    if (!document.isObject()) {
        reason = QStringLiteral("a message must be a JSON object");
        return false;
    }
    const QJsonObject object = document.object();
    const QJsonValue id = object.value(QLatin1String("id"));
    if (validId(id))
        message.id = id;
    if (object.value(QLatin1String("jsonrpc")) != QLatin1String("2.0")) {
        reason = QStringLiteral("\"jsonrpc\" must be \"2.0\"");
        return false;
    }
    const QJsonValue method = object.value(QLatin1String("method"));
    if (method.isUndefined() && validId(id)) {
        message.kind = RpcMessage::Kind::Response;
        return true;
    }
    if (!method.isString()) {
        reason = QStringLiteral("\"method\" must be a string");
        return false;
    }
    if (!id.isUndefined() && !validId(id)) {
        reason = QStringLiteral("\"id\" must be a number or a string");
        return false;
    }
    const QJsonValue params = object.value(QLatin1String("params"));
    if (!params.isUndefined() && !params.isObject() && !params.isNull()) {
        error = RpcError::InvalidParams;
        reason = QStringLiteral("\"params\" must be an object");
        return false;
    }
    message.kind = validId(id) ? RpcMessage::Kind::Request : RpcMessage::Kind::Notification;
    message.method = method.toString();
    message.params = params.toObject();
    return true;
}

QByteArray resultMessage(const QJsonValue &id, const QJsonValue &result)
{
    QJsonObject object = envelope();
    object.insert(QStringLiteral("id"), id);
    object.insert(QStringLiteral("result"), result);
    return compact(object);
}

QByteArray errorMessage(const QJsonValue &id, RpcError code, const QString &text)
{
    QJsonObject object = envelope();
    object.insert(QStringLiteral("id"), validId(id) ? id : QJsonValue(QJsonValue::Null));
    object.insert(QStringLiteral("error"), QJsonObject{{QStringLiteral("code"), int(code)},
                                                       {QStringLiteral("message"), text}});
    return compact(object);
}

QByteArray notificationMessage(const QString &method, const QJsonObject &params)
{
    QJsonObject object = envelope();
    object.insert(QStringLiteral("method"), method);
    object.insert(QStringLiteral("params"), params);
    return compact(object);
}
