#include "tools/vorpen-lsp/features.h"

QJsonArray foldingRanges(const QStringList &lines)
{
    const QVector<OutlineEntry> outline = sectionOutline(lines);
    QJsonArray ranges;
    for (int i = 0; i < outline.size(); ++i) {
        const int start = outline.at(i).titleLine;
        int end = outlineEntryEnd(outline, i, lines.size());
        // Blank lines before the next heading stay visible between folded sections.
        while (end > start && lines.at(end).trimmed().isEmpty())
            --end;
        if (end > start)
            ranges.append(QJsonObject{{QStringLiteral("startLine"), start},
                                      {QStringLiteral("endLine"), end},
                                      {QStringLiteral("kind"), QStringLiteral("region")}});
    }
    return ranges;
}
