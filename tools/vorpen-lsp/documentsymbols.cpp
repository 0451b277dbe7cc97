#include "tools/vorpen-lsp/features.h"

namespace {

const int sectionKind = 3;    // Namespace
const int subsectionKind = 2; // Module

QJsonObject symbolOf(const QVector<OutlineEntry> &outline, int index, const QStringList &lines)
{
    const OutlineEntry &entry = outline.at(index);
    const int end = outlineEntryEnd(outline, index, lines.size());
    return {{QStringLiteral("name"), entry.title},
            {QStringLiteral("kind"), entry.level == 0 ? sectionKind : subsectionKind},
            {QStringLiteral("range"),
             rangeJson({entry.titleLine, 0, end, int(lines.value(end).size())})},
            {QStringLiteral("selectionRange"), rangeJson(titleRange(entry, lines))}};
}

} // namespace

QJsonArray documentSymbols(const QStringList &lines)
{
    const QVector<OutlineEntry> outline = sectionOutline(lines);
    QJsonArray symbols;
    QJsonArray children;
    QJsonObject section;
    const auto close = [&] {
        if (section.isEmpty())
            return;
        if (!children.isEmpty())
            section.insert(QStringLiteral("children"), children);
        symbols.append(section);
        section = QJsonObject();
        children = QJsonArray();
    };
    for (int i = 0; i < outline.size(); ++i) {
        if (outline.at(i).level > 0) {
            children.append(symbolOf(outline, i, lines));
            continue;
        }
        close();
        section = symbolOf(outline, i, lines);
    }
    close();
    return symbols;
}

TextRange titleRange(const OutlineEntry &entry, const QStringList &lines)
{
    const QString &line = lines.at(entry.titleLine);
    const int start = qMax(0, int(line.indexOf(entry.title)));
    return {entry.titleLine, start, entry.titleLine, start + int(entry.title.size())};
}
