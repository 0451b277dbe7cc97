#ifndef VORPEN_DOCUMENTANALYSIS_H
#define VORPEN_DOCUMENTANALYSIS_H

#include "syntax/checkverdict.h"
#include "syntax/parameterindex.h"
#include "syntax/sectionoutline.h"
#include "syntax/syntaxfault.h"
#include "tools/vorpen-lsp/lspjson.h"

#include <QStringList>

#include <memory>

// One analysis of a document's text, made on a worker and read only afterwards.
struct DocumentAnalysis
{
    quint64 generation = 0; // of the text it was made of
    QStringList lines;
    CheckVerdict verdict;
    ParameterIndex index;
    QVector<OutlineEntry> outline;

    // Where the verdict's fault lies; meaningless for a valid text.
    bool endOfFile() const;
    int faultLine() const; // the refused line, or the last one that holds anything
    RefusedToken refused() const;
    TextRange faultRange() const;
    // The syntax definition the verdict was made with.
    QString syntaxFile() const;
};

// Analyses text with "7.0", "6.4" or "auto", the grammar that gets further.
std::shared_ptr<DocumentAnalysis> checkDocument(const QString &text, const QString &syntax,
                                                quint64 generation);
// Adds which parameter took each token, and the outline; a valid text needs them only for
// requests, so its diagnostics go out before.
void indexDocument(DocumentAnalysis &analysis);

#endif
