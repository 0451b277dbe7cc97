#include "syntax/checkverdict.h"

#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

namespace {

CheckVerdict analyse(const QStringList &lines, const QString &version)
{
    CheckVerdict verdict;
    verdict.analysis = std::make_shared<SyntaxAnalyzer>(syntaxFileOf(version));
    QStringList copy = lines;
    verdict.version = version;
    verdict.valid = verdict.analysis->analyze(&copy, verdict.line, verdict.failed);
    if (verdict.valid)
        return verdict;
    const Node *failed = verdict.failed;
    verdict.tooMuchInput = !failed;
    if (failed) {
        verdict.parameter = failed->name();
        verdict.type = failed->type();
        verdict.options = failed->options();
    }
    return verdict;
}

// Editors do not count the empty piece after a final line break as a line.
int lastLineNumber(const QStringList &lines)
{
    if (lines.size() > 1 && lines.last().isEmpty())
        return int(lines.size()) - 1;
    return qMax(1, int(lines.size()));
}

QString asTyped(QString line)
{
    if (line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
}

} // namespace

QString syntaxFileOf(const QString &version)
{
    return version == QLatin1String("6.4") ? QStringLiteral("ZEL_Syntax_6-4.xml")
                                           : QStringLiteral("ZEL_Syntax_7-0.xml");
}

CheckVerdict checkLines(const QStringList &lines, const QString &syntax)
{
    if (syntax != QLatin1String("auto"))
        return analyse(lines, syntax);
    const CheckVerdict newer = analyse(lines, QStringLiteral("7.0"));
    if (newer.valid)
        return newer;
    const CheckVerdict older = analyse(lines, QStringLiteral("6.4"));
    return older.valid || older.line > newer.line ? older : newer;
}

QString formatVerdict(const QString &fileName, const QStringList &lines,
                      const CheckVerdict &verdict)
{
    if (verdict.valid)
        return fileName + QStringLiteral(": valid ZELMORA ") + verdict.version +
               QStringLiteral(" driving file\n");
    const bool endOfFile = verdict.line < 0 || verdict.line >= lines.size();
    const int lineNumber = endOfFile ? lastLineNumber(lines) : verdict.line + 1;
    const QString head =
        fileName + QLatin1Char(':') + QString::number(lineNumber) + QStringLiteral(": error: ");
    if (verdict.tooMuchInput)
        return head + QStringLiteral("Too much input:\n  ") + asTyped(lines.value(verdict.line)) +
               QLatin1Char('\n');
    QString text = head + QStringLiteral("Parameter = ") + verdict.parameter +
                   QStringLiteral("\n  Type = ") + verdict.type +
                   QStringLiteral("\n  Options = \n");
    for (const QString &option : verdict.options)
        text += QStringLiteral("     ") + option + QLatin1Char('\n');
    text += QStringLiteral("  ----------------------------\n");
    if (endOfFile)
        return text + QStringLiteral("  End of file reached!\n");
    return text + QStringLiteral("  Given input =  ") + asTyped(lines.at(verdict.line)) +
           QStringLiteral("\n  Syntax error\n");
}
