// Arbitrary text analysed and printed back with both delivered grammars; what fits a grammar
// must still fit it once printed.
#include "app/main.h"
#include "fuzzcheck.h"
#include "fuzzsupport.h"
#include "syntax/syntaxanalyzer.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startCoreApplication();
    return 0;
}

static bool analyzes(const QString &grammar, QStringList lines, QString *printed)
{
    SyntaxAnalyzer analyzer(grammar);
    int line = -1;
    Node *failed = nullptr;
    const bool valid = analyzer.analyze(&lines, line, failed);
    analyzer.printTree(true);
    *printed = analyzer.printTree(false);
    return valid;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = fuzzLines(data, size);
    for (const QString &grammar : {defaultSyntax, syntax64}) {
        QString printed;
        if (!analyzes(grammar, lines, &printed))
            continue;
        QString again;
        FUZZ_CHECK(analyzes(grammar, printed.split(QLatin1Char('\n')), &again));
        FUZZ_CHECK(again == printed);
    }
    return 0;
}
