#include "tools/vorpen-lsp/lspjson.h"

namespace {

bool readCount(const QJsonValue &value, int &count)
{
    const double number = value.toDouble(-1);
    if (!value.isDouble() || number < 0 || number > 2147483647.0)
        return false;
    count = int(number);
    return true;
}

} // namespace

QJsonObject positionJson(int line, int character)
{
    return {{QStringLiteral("line"), line}, {QStringLiteral("character"), character}};
}

QJsonObject rangeJson(const TextRange &range)
{
    return {{QStringLiteral("start"), positionJson(range.startLine, range.startCharacter)},
            {QStringLiteral("end"), positionJson(range.endLine, range.endCharacter)}};
}

QJsonObject locationJson(const QString &uri, const TextRange &range)
{
    return {{QStringLiteral("uri"), uri}, {QStringLiteral("range"), rangeJson(range)}};
}

TextRange lineContentRange(int line, const QString &text)
{
    int begin = 0;
    while (begin < text.size() && text.at(begin).isSpace())
        ++begin;
    int end = text.size();
    while (end > begin && text.at(end - 1).isSpace())
        --end;
    return {line, begin, line, end};
}

bool readPosition(const QJsonValue &value, TextPosition &position)
{
    const QJsonObject object = value.toObject();
    return readCount(object.value(QLatin1String("line")), position.line) &&
           readCount(object.value(QLatin1String("character")), position.character);
}

bool readRange(const QJsonValue &value, TextRange &range)
{
    const QJsonObject object = value.toObject();
    TextPosition start;
    TextPosition end;
    if (!readPosition(object.value(QLatin1String("start")), start) ||
        !readPosition(object.value(QLatin1String("end")), end))
        return false;
    range = {start.line, start.character, end.line, end.character};
    return true;
}

QString documentUri(const QJsonObject &params)
{
    return params.value(QLatin1String("textDocument"))
        .toObject()
        .value(QLatin1String("uri"))
        .toString();
}
