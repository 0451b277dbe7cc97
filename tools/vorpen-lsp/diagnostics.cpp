#include "tools/vorpen-lsp/documentanalysis.h"
#include "tools/vorpen-lsp/features.h"

#include "syntax/node.h"

#include <QCoreApplication>

namespace {

const int errorSeverity = 1;

QString messageOf(const DocumentAnalysis &analysis)
{
    const CheckVerdict &verdict = analysis.verdict;
    const QString explanation =
        syntaxFaultExplanation(verdict.failed, analysis.lines, verdict.line, analysis.index);
    if (!analysis.endOfFile())
        return explanation;
    return QCoreApplication::translate("LiveAnalysis", "end of file reached: %1 expected")
               .arg(verdict.failed->name()) +
           QStringLiteral("\n") + explanation;
}

} // namespace

QJsonArray diagnosticsOf(const QString &uri, const DocumentAnalysis &analysis)
{
    if (analysis.verdict.valid)
        return {};
    QJsonObject diagnostic{
        {QStringLiteral("range"), rangeJson(analysis.faultRange())},
        {QStringLiteral("severity"), errorSeverity},
        {QStringLiteral("source"), QString(QStringLiteral("vorpen ") + analysis.verdict.version)},
        {QStringLiteral("message"), messageOf(analysis)}};
    // The section heading above the fault lets editors jump to the section it belongs to.
    const int entry = enclosingEntry(analysis.outline, analysis.faultLine(), analysis.lines.size());
    if (entry >= 0) {
        const OutlineEntry &section = analysis.outline.at(entry);
        diagnostic.insert(
            QStringLiteral("relatedInformation"),
            QJsonArray{QJsonObject{{QStringLiteral("location"),
                                    locationJson(uri, titleRange(section, analysis.lines))},
                                   {QStringLiteral("message"),
                                    QCoreApplication::translate("LanguageServer", "in section %1")
                                        .arg(section.title)}}});
    }
    return {diagnostic};
}
