#include "app/live/sharedlines.h"

QStringList linesSharing(const QString &text, const QStringList &earlier)
{
    const int count = int(text.count(QLatin1Char('\n'))) + 1;
    const int shift = count - int(earlier.size());
    const auto earlierLine = [&earlier](int index, const QStringRef &line) {
        return index >= 0 && index < earlier.size() && earlier.at(index) == line;
    };
    QStringList lines;
    lines.reserve(count);
    int start = 0;
    for (int i = 0; i < count; ++i) {
        int end = int(text.indexOf(QLatin1Char('\n'), start));
        if (end < 0)
            end = int(text.size());
        const QStringRef line = text.midRef(start, end - start);
        if (earlierLine(i, line))
            lines.append(earlier.at(i));
        else if (earlierLine(i - shift, line))
            lines.append(earlier.at(i - shift));
        else
            lines.append(line.toString());
        start = end + 1;
    }
    return lines;
}
