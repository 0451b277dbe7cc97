#include "app/live/syntaxfault.h"

#include "app/window/editor.h"
#include "syntax/node.h"

QString syntaxFaultText(const Node *failed, const QStringList &lines, int line)
{
    if (!failed)
        return Editor::tr("Too much input:") + QStringLiteral("\n") + lines.value(line);
    QString message = Editor::tr("Parameter = ") + failed->name + QStringLiteral("\n") +
                      Editor::tr("Type = ") + failed->type + QStringLiteral("\n") +
                      Editor::tr("Options = ") + QStringLiteral("\n");
    for (const QString &option : failed->options)
        message += QStringLiteral("   ") + option + QStringLiteral("\n");
    message += QStringLiteral("----------------------------\n");
    if (line >= 0 && line < lines.size())
        return message + Editor::tr("Given input =  ") + lines.at(line) + QStringLiteral("\n") +
               Editor::tr("Syntax error") + QStringLiteral("\n");
    return message + Editor::tr("End of file reached!");
}
