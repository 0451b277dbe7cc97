#include "tools/vorpen-lsp/features.h"

int enclosingEntry(const QVector<OutlineEntry> &outline, int line, int lineCount)
{
    int found = -1;
    for (int i = 0; i < outline.size() && outline.at(i).titleLine <= line; ++i) {
        if (line <= outlineEntryEnd(outline, i, lineCount))
            found = i;
    }
    return found;
}

QJsonValue sectionOfLine(const QString &uri, const QStringList &lines, int line)
{
    const QVector<OutlineEntry> outline = sectionOutline(lines);
    const int entry = enclosingEntry(outline, line, lines.size());
    if (entry < 0)
        return QJsonValue::Null;
    return locationJson(uri, titleRange(outline.at(entry), lines));
}
