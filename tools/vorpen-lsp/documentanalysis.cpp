#include "tools/vorpen-lsp/documentanalysis.h"

#include "syntax/syntaxanalyzer.h"

bool DocumentAnalysis::endOfFile() const
{
    return verdict.failed && (verdict.line < 0 || verdict.line >= lines.size());
}

int DocumentAnalysis::faultLine() const
{
    if (!endOfFile())
        return qBound(0, verdict.line, int(lines.size()) - 1);
    int line = int(lines.size()) - 1;
    while (line > 0 && lines.at(line).trimmed().isEmpty())
        --line;
    return qMax(0, line);
}

RefusedToken DocumentAnalysis::refused() const
{
    if (verdict.valid || endOfFile())
        return RefusedToken();
    return refusedToken(verdict.failed, lines, verdict.line, index);
}

TextRange DocumentAnalysis::faultRange() const
{
    const RefusedToken token = refused();
    const int line = faultLine();
    if (!token.found)
        return lineContentRange(line, lines.value(line));
    return {line, token.token.column, line, token.token.column + int(token.token.text.size())};
}

QString DocumentAnalysis::syntaxFile() const
{
    return syntaxFileOf(verdict.version);
}

std::shared_ptr<DocumentAnalysis> checkDocument(const QString &text, const QString &syntax,
                                                quint64 generation)
{
    auto analysis = std::make_shared<DocumentAnalysis>();
    analysis->generation = generation;
    analysis->lines = text.split(QLatin1Char('\n'));
    analysis->verdict = checkLines(analysis->lines, syntax);
    return analysis;
}

void indexDocument(DocumentAnalysis &analysis)
{
    analysis.index = ParameterIndex(analysis.verdict.analysis->getRoot(), analysis.lines);
    analysis.outline = sectionOutline(analysis.lines);
}
