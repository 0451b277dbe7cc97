#include "syntax/sectionoutline.h"

namespace {

enum class Separator
{
    None,
    Main,
    Sub
};

Separator separatorKind(const QString &trimmed)
{
    if (trimmed.contains(QLatin1String("# ====")) || trimmed.contains(QLatin1String("#====")))
        return Separator::Main;
    if (trimmed.contains(QLatin1String("# ----")) || trimmed.contains(QLatin1String("#----")))
        return Separator::Sub;
    return Separator::None;
}

QString titleOf(const QString &line)
{
    QString title = line.trimmed();
    if (title.startsWith(QLatin1Char('#')))
        title = title.mid(1).trimmed();
    return title;
}

} // namespace

QVector<OutlineEntry> sectionOutline(const QStringList &lines)
{
    QVector<OutlineEntry> outline;
    bool insideSubsections = false;
    bool hasSection = false;
    int position = 0;
    int previousStart = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const int lineStart = position;
        position += line.length() + 1;
        const QString trimmed = line.trimmed();
        const Separator kind = separatorKind(trimmed);
        const int titleStart = previousStart;
        previousStart = lineStart;
        if (kind == Separator::None || i == 0)
            continue;

        const QString title = titleOf(lines.at(i - 1));
        if (title.isEmpty())
            break;
        if (kind == Separator::Main) {
            insideSubsections = false;
            hasSection = true;
        } else if (!insideSubsections) {
            if (!hasSection)
                break;
            insideSubsections = true;
        }
        outline.append({title, insideSubsections ? 1 : 0, i - 1, titleStart + 2, trimmed});
    }
    return outline;
}

int outlineEntryEnd(const QVector<OutlineEntry> &outline, int index, int lineCount)
{
    const int level = outline.at(index).level;
    for (int next = index + 1; next < outline.size(); ++next) {
        if (outline.at(next).level <= level)
            return outline.at(next).titleLine - 1;
    }
    return lineCount - 1;
}
