#include "syntax/linetokens.h"

namespace {

bool startsComment(const QString &text)
{
    return text.startsWith(QLatin1Char('#')) || text.startsWith(QLatin1Char('!'));
}

bool isEndMarker(const QString &token)
{
    const QString marker = token.trimmed().toLower();
    return marker == QLatin1String("__end__") || marker == QLatin1String("__end_of_file__") ||
           marker == QLatin1String("__sw__") || marker == QLatin1String("__switch__");
}

int skipSpace(const QString &line, int from, int end)
{
    while (from < end && line.at(from).isSpace())
        ++from;
    return from;
}

} // namespace

QVector<LineToken> dataTokens(const QString &line)
{
    QVector<LineToken> tokens;
    int end = line.size();
    while (end > 0 && line.at(end - 1).isSpace())
        --end;
    int begin = skipSpace(line, 0, end);
    if (begin == end || startsComment(line.mid(begin, 1)))
        return tokens;
    const int equals = line.indexOf(QLatin1Char('='), begin);
    if (equals >= 0 && equals < end)
        begin = skipSpace(line, equals + 1, end);
    if (begin == end || startsComment(line.mid(begin, 1)))
        return tokens;

    int start = begin;
    for (int i = begin; i <= end; ++i) {
        if (i < end && line.at(i) != QLatin1Char(' '))
            continue;
        if (i > start) {
            const QString token = line.mid(start, i - start);
            if (startsComment(token) || isEndMarker(token))
                break;
            tokens.append({start, token});
        }
        start = i + 1;
    }
    return tokens;
}
