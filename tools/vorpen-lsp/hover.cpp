#include "tools/vorpen-lsp/documentanalysis.h"
#include "tools/vorpen-lsp/features.h"

#include "syntax/parameterdescription.h"

namespace {

QJsonObject hover(const QString &text, const TextRange &range)
{
    return {{QStringLiteral("contents"),
             QJsonObject{{QStringLiteral("kind"), QStringLiteral("plaintext")},
                         {QStringLiteral("value"), text}}},
            {QStringLiteral("range"), rangeJson(range)}};
}

} // namespace

QJsonValue hoverAt(const DocumentAnalysis &analysis, const TextPosition &position)
{
    const int line = position.line;
    if (line >= analysis.lines.size())
        return QJsonValue::Null;
    // As in the editor, the refused line explains the fault instead of its tokens.
    if (!analysis.verdict.valid && line == analysis.faultLine())
        return hover(syntaxFaultExplanation(analysis.verdict.failed, analysis.lines,
                                            analysis.verdict.line, analysis.index),
                     analysis.faultRange());
    LineToken token;
    const Node *owner =
        analysis.index.ownerAt(line, analysis.lines.at(line), position.character, &token);
    if (!owner)
        return QJsonValue::Null;
    return hover(describeParameter(owner),
                 {line, token.column, line, token.column + int(token.text.size())});
}
