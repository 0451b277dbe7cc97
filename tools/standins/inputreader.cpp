#include "tools/standins/inputreader.h"

#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

#include <QFile>
#include <QTextStream>

InputReader::InputReader() = default;
InputReader::~InputReader() = default;

bool InputReader::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream stream(&file);
    fileLines = stream.readAll().split(QLatin1Char('\n'));

    analyzer = std::make_unique<SyntaxAnalyzer>(QStringLiteral("ZEL_Syntax_7-0.xml"));
    QStringList analysed = fileLines;
    int line = 0;
    Node *failed = nullptr;
    if (analyzer->analyze(&analysed, line, failed)) {
        outcome = Verdict::Accepted;
        unreadLine = fileLines.size();
        return true;
    }
    if (failed) {
        failedName = failed->name();
        failedType = failed->type();
    }
    if (!failed)
        outcome = Verdict::TooMuchInput;
    else if (line >= fileLines.size())
        outcome = Verdict::EndOfFile;
    else
        outcome = Verdict::Refused;
    unreadLine = qBound(0, line, fileLines.size());
    return true;
}

QStringList InputReader::values(const QString &name) const
{
    if (!analyzer)
        return {};
    Node *found = nullptr;
    return analyzer->getValues(name, false, found);
}

bool InputReader::isDataLine(const QString &line)
{
    const QString trimmed = line.trimmed();
    return !trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('#')) &&
           !trimmed.startsWith(QLatin1Char('!'));
}
