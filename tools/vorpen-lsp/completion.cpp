#include "tools/vorpen-lsp/features.h"

#include "syntax/expectedparameter.h"

namespace {

const int keywordKind = 14;
const int snippetKind = 15;
const int snippetFormat = 2;

bool endsWord(QChar c)
{
    return c.isSpace() || c == QLatin1Char('=');
}

QString snippetText(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('$'), QLatin1String("\\$"));
    text.replace(QLatin1Char('}'), QLatin1String("\\}"));
    return text;
}

QString detailOf(const ExpectedParameter &expected)
{
    QString detail = expected.name + QStringLiteral(" (") + expected.type + QStringLiteral(")");
    if (!expected.section.isEmpty())
        detail += QStringLiteral(" in ") + expected.section;
    return detail;
}

QJsonObject item(const QString &label, int kind, const QString &detail, const TextRange &word,
                 const QString &newText)
{
    return {{QStringLiteral("label"), label},
            {QStringLiteral("kind"), kind},
            {QStringLiteral("detail"), detail},
            {QStringLiteral("textEdit"), QJsonObject{{QStringLiteral("range"), rangeJson(word)},
                                                     {QStringLiteral("newText"), newText}}}};
}

} // namespace

QJsonObject completionAt(const QStringList &lines, const TextPosition &position,
                         const QString &syntaxFile)
{
    const QString before = lines.value(position.line).left(position.character);
    int wordStart = before.size();
    while (wordStart > 0 && !endsWord(before.at(wordStart - 1)))
        --wordStart;
    // The grammar is asked about the text up to the word being typed.
    QStringList asked = lines.mid(0, qMin(position.line, int(lines.size())));
    asked << before.left(wordStart);
    const ExpectedParameter expected = expectedParameter(syntaxFile, asked);

    const TextRange word{position.line, wordStart, position.line, int(before.size())};
    QJsonArray items;
    if (expected.kind == ExpectedParameter::Kind::Parameter) {
        const QString detail = detailOf(expected);
        for (const QString &option : expected.options)
            items.append(item(option, keywordKind, detail, word, option));
        if (expected.options.isEmpty()) {
            QJsonObject hint =
                item(detail, snippetKind, detail, word,
                     QStringLiteral("${1:") + snippetText(expected.name) + QStringLiteral("}"));
            hint.insert(QStringLiteral("insertTextFormat"), snippetFormat);
            hint.insert(QStringLiteral("filterText"), before.mid(wordStart));
            items.append(hint);
        }
    }
    return {{QStringLiteral("isIncomplete"), false}, {QStringLiteral("items"), items}};
}
