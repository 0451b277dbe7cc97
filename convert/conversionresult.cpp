#include "convert/conversionresult.h"

#include "syntax/node.h"

static const QString targetSyntax = QStringLiteral("ZEL_Syntax_7-0.xml");

bool ConvertedText::accepted() const
{
    return verificationAccepted(analyzed, stopped);
}

ConvertedText convertAndVerify(SyntaxAnalyzer *source,
                               const std::function<void(const QString &)> &log)
{
    ConvertedText result;
    {
        SyntaxAnalyzer target(targetSyntax);
        target.conversionLog = log;
        result.warnings = target.convert(source);
        result.text = target.printTree(false);
    }
    result.lines = result.text.split(QLatin1Char('\n'));
    result.verifier = std::make_unique<SyntaxAnalyzer>(targetSyntax);
    result.analyzed = result.verifier->analyze(&result.lines, result.position, result.stopped);
    return result;
}

bool verificationAccepted(bool analyzed, const Node *stopped)
{
    return analyzed || !stopped || stopped->name().isEmpty() ||
           stopped->name().contains(QLatin1String("TestOption"));
}

QString convertedFilePath(const QString &path)
{
    static const QString mark = QStringLiteral("_v7-0");
    for (const QString &ending : {QStringLiteral("_dri"), QStringLiteral(".dri")}) {
        const int at = path.indexOf(ending);
        if (at >= 0)
            return QString(path).insert(at, mark);
    }
    return path + mark;
}
