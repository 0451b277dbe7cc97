#ifndef VORPEN_LSPFEATURES_H
#define VORPEN_LSPFEATURES_H

#include "syntax/sectionoutline.h"
#include "tools/vorpen-lsp/lspjson.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

struct DocumentAnalysis;

// What each request answers, from an analysis or the text; one file each.

// The verdict as diagnostics: none for a valid text, else one at the refused token.
QJsonArray diagnosticsOf(const QString &uri, const DocumentAnalysis &analysis);
// The parameter that the token at position feeds, or the fault's explanation on its line.
QJsonValue hoverAt(const DocumentAnalysis &analysis, const TextPosition &position);
// The replacement of a misspelt keyword in range by the nearest one the grammar allows.
QJsonArray quickFixesFor(const QString &uri, const DocumentAnalysis &analysis,
                         const TextRange &range);
// The keywords, or the parameter, that the grammar expects at position; runs an analysis.
QJsonObject completionAt(const QStringList &lines, const TextPosition &position,
                         const QString &syntaxFile);
// The section outline as nested symbols.
QJsonArray documentSymbols(const QStringList &lines);
// One folding range per section and subsection.
QJsonArray foldingRanges(const QStringList &lines);
// The heading of the innermost section around line, or null.
QJsonValue sectionOfLine(const QString &uri, const QStringList &lines, int line);

// The innermost outline entry whose lines hold line, or -1.
int enclosingEntry(const QVector<OutlineEntry> &outline, int line, int lineCount);
// The title of an outline entry within its line.
TextRange titleRange(const OutlineEntry &entry, const QStringList &lines);

#endif
