#include "tools/vorpen-lsp/textdocument.h"

#include "tools/vorpen-lsp/lspjson.h"

bool TextDocument::applyChange(const QJsonObject &change)
{
    const QJsonValue newText = change.value(QLatin1String("text"));
    if (!newText.isString())
        return false;
    const QJsonValue range = change.value(QLatin1String("range"));
    if (range.isUndefined()) {
        content = newText.toString();
        return true;
    }
    TextRange replaced;
    if (!readRange(range, replaced))
        return false;
    const int start = offsetAt(replaced.startLine, replaced.startCharacter);
    const int end = offsetAt(replaced.endLine, replaced.endCharacter);
    if (end < start)
        return false;
    content.replace(start, end - start, newText.toString());
    return true;
}

int TextDocument::offsetAt(int line, int character) const
{
    int lineStart = 0;
    for (int l = 0; l < line; ++l) {
        const int lineEnd = content.indexOf(QLatin1Char('\n'), lineStart);
        if (lineEnd < 0)
            return content.size();
        lineStart = lineEnd + 1;
    }
    int lineEnd = content.indexOf(QLatin1Char('\n'), lineStart);
    if (lineEnd < 0)
        lineEnd = content.size();
    return lineStart + qBound(0, character, lineEnd - lineStart);
}
