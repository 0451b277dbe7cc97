#include "app/text/highlighter.h"

#include <QStringList>

namespace {

QTextCharFormat foregroundFormat(Qt::GlobalColor colour)
{
    QTextCharFormat format;
    format.setForeground(QBrush(colour, Qt::SolidPattern));
    return format;
}

} // namespace

Highlighter::Highlighter(QTextDocument *document)
    : QSyntaxHighlighter(document), commentFormat(foregroundFormat(Qt::darkGreen)),
      specialFormat(foregroundFormat(Qt::red)), optionFormat(foregroundFormat(Qt::darkBlue)),
      bracketFormat(foregroundFormat(Qt::darkBlue))
{
    // Order matters: a later rule overwrites the colour of an earlier one.
    highlightingRules = {
        {QRegExp(QStringLiteral("#[^\n]*"), Qt::CaseSensitive), commentFormat, QStringLiteral("#")},
        {QRegExp(QStringLiteral("#!.*"), Qt::CaseSensitive), specialFormat, QStringLiteral("#!")},
        {QRegExp(QStringLiteral("Option[^\n]*"), Qt::CaseSensitive), optionFormat,
         QStringLiteral("Option")},
        {QRegExp(QStringLiteral("\\[.*\\]"), Qt::CaseInsensitive), bracketFormat,
         QStringLiteral("[")},
    };
}

bool Highlighter::isUnitText(const QString &match)
{
    static const QStringList units = {
        QStringLiteral("[micrometers]"), QStringLiteral("[cm**-3]"),  QStringLiteral("[s]"),
        QStringLiteral("[K]"),           QStringLiteral("[degrees]"), QStringLiteral("[J/cm**2]"),
        QStringLiteral("[cm**4/(Js)]"),  QStringLiteral("[J/mol]"),
    };
    return units.contains(match);
}

void Highlighter::highlightBlock(const QString &text)
{
    for (const HighlightingRule &rule : qAsConst(highlightingRules)) {
        if (!text.contains(rule.literal))
            continue;
        // QRegExp keeps the last match, so each call works on its own copy.
        QRegExp expression(rule.pattern);
        int index = expression.indexIn(text);
        if (index < 0)
            continue;
        // Units keep the comment colour so that annotations do not stand out of their comment.
        const QTextCharFormat &format = isUnitText(expression.cap(0)) ? commentFormat : rule.format;
        while (index >= 0) {
            const int length = expression.matchedLength();
            if (length <= 0)
                break;
            setFormat(index, length, format);
            index = expression.indexIn(text, index + length);
        }
    }
    setCurrentBlockState(0);
}
