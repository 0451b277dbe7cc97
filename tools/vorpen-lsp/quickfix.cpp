#include "tools/vorpen-lsp/documentanalysis.h"
#include "tools/vorpen-lsp/features.h"

#include <QCoreApplication>

namespace {

bool overlaps(const TextRange &a, const TextRange &b)
{
    const auto before = [](int line, int character, int otherLine, int otherCharacter) {
        return line < otherLine || (line == otherLine && character < otherCharacter);
    };
    return !before(a.endLine, a.endCharacter, b.startLine, b.startCharacter) &&
           !before(b.endLine, b.endCharacter, a.startLine, a.startCharacter);
}

} // namespace

QJsonArray quickFixesFor(const QString &uri, const DocumentAnalysis &analysis,
                         const TextRange &range)
{
    const RefusedToken refused = analysis.refused();
    const TextRange fault = analysis.faultRange();
    if (refused.suggestion.isEmpty() || refused.suggestion == refused.token.text ||
        !overlaps(range, fault))
        return {};
    const QJsonObject edit{{QStringLiteral("range"), rangeJson(fault)},
                           {QStringLiteral("newText"), refused.suggestion}};
    return {QJsonObject{
        {QStringLiteral("title"),
         QCoreApplication::translate("LanguageServer", "Replace \"%1\" by \"%2\"")
             .arg(refused.token.text, refused.suggestion)},
        {QStringLiteral("kind"), QStringLiteral("quickfix")},
        {QStringLiteral("isPreferred"), true},
        {QStringLiteral("diagnostics"), diagnosticsOf(uri, analysis)},
        {QStringLiteral("edit"),
         QJsonObject{{QStringLiteral("changes"), QJsonObject{{uri, QJsonArray{edit}}}}}}}};
}
