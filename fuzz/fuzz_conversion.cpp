// Arbitrary text analysed with the 6.4 grammar, converted to 7.0 and printed.
#include "app/main.h"
#include "fuzzsupport.h"
#include "syntax/syntaxanalyzer.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startCoreApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList lines = fuzzLines(data, size);
    SyntaxAnalyzer source(syntax64);
    int line = -1;
    Node *failed = nullptr;
    source.analyze(&lines, line, failed);
    SyntaxAnalyzer target(defaultSyntax);
    target.convert(&source);
    target.printTree(false);
    return 0;
}
