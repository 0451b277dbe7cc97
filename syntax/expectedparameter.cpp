#include "syntax/expectedparameter.h"

#include "syntax/parameterdescription.h"
#include "syntax/syntaxanalyzer.h"

ExpectedParameter expectedParameter(const QString &syntaxFile, QStringList lines)
{
    SyntaxAnalyzer analyzer(syntaxFile);
    int line = -1;
    Node *failed = nullptr;
    ExpectedParameter expected;
    if (analyzer.analyze(&lines, line, failed))
        return expected;
    // Only a failure past the last line means the lines ran out while the walk still wanted
    // a parameter; anything earlier is a fault in the lines themselves.
    if (!failed || line < lines.size()) {
        expected.kind = ExpectedParameter::Kind::Fault;
        expected.faultLine = line;
        return expected;
    }
    expected.kind = ExpectedParameter::Kind::Parameter;
    expected.name = failed->name();
    expected.type = failed->type();
    expected.section = sectionPath(failed);
    expected.options = failed->options();
    return expected;
}
