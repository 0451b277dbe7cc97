#ifndef VORPEN_LSPJSON_H
#define VORPEN_LSPJSON_H

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

// A range of lines and UTF-16 columns, all counted from 0.
struct TextRange
{
    int startLine = 0;
    int startCharacter = 0;
    int endLine = 0;
    int endCharacter = 0;
};

// A position in an LSP request.
struct TextPosition
{
    int line = 0;
    int character = 0;
};

QJsonObject positionJson(int line, int character);
QJsonObject rangeJson(const TextRange &range);
QJsonObject locationJson(const QString &uri, const TextRange &range);
// The range of a line of text from its first to past its last non-blank character.
TextRange lineContentRange(int line, const QString &text);

// Readers of request parameters; false when the value is missing or malformed.
bool readPosition(const QJsonValue &value, TextPosition &position);
bool readRange(const QJsonValue &value, TextRange &range);
// The "textDocument.uri" of request parameters.
QString documentUri(const QJsonObject &params);

#endif
