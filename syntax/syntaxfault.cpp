#include "syntax/syntaxfault.h"

#include "syntax/node.h"
#include "syntax/parameterdescription.h"
#include "syntax/parameterindex.h"

#include <QCoreApplication>

namespace {

// The texts keep the contexts of the window and the live check, where they were first shown.
QString tr(const char *text)
{
    return QCoreApplication::translate("Editor", text);
}

} // namespace

QString syntaxFaultText(const Node *failed, const QStringList &lines, int line)
{
    if (!failed)
        return tr("Too much input:") + QStringLiteral("\n") + lines.value(line);
    QString message = tr("Parameter = ") + failed->name() + QStringLiteral("\n") + tr("Type = ") +
                      failed->type() + QStringLiteral("\n") + tr("Options = ") +
                      QStringLiteral("\n");
    for (const QString &option : failed->options())
        message += QStringLiteral("   ") + option + QStringLiteral("\n");
    message += QStringLiteral("----------------------------\n");
    if (line >= 0 && line < lines.size())
        return message + tr("Given input =  ") + lines.at(line) + QStringLiteral("\n") +
               tr("Syntax error") + QStringLiteral("\n");
    return message + tr("End of file reached!");
}

RefusedToken refusedToken(const Node *failed, const QStringList &lines, int line,
                          const ParameterIndex &index)
{
    RefusedToken refused;
    if (line < 0 || line >= lines.size())
        return refused;
    const QVector<LineToken> tokens = dataTokens(lines.at(line));
    const QVector<Node *> owners = index.tokenOwners(line);
    for (int t = 0; t < tokens.size(); ++t) {
        if (owners.value(t))
            continue;
        refused.found = true;
        refused.token = tokens.at(t);
        if (failed)
            refused.suggestion = closestOption(refused.token.text, failed->options());
        break;
    }
    return refused;
}

QString syntaxFaultExplanation(const Node *failed, const QStringList &lines, int line,
                               const ParameterIndex &index)
{
    const QString text = syntaxFaultText(failed, lines, line);
    const RefusedToken refused = refusedToken(failed, lines, line, index);
    if (refused.suggestion.isEmpty())
        return text;
    return text + QStringLiteral("\n") +
           QCoreApplication::translate("LiveAnalysis", "did you mean \"%1\"?")
               .arg(refused.suggestion);
}
