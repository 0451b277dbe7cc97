// Arbitrary lines analysed against both delivered grammars, as every load of a file does.
#include "app/main.h"
#include "fuzzcheck.h"
#include "fuzzsupport.h"
#include "run/outputlocation.h"
#include "syntax/syntaxanalyzer.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startCoreApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList lines = fuzzLines(data, size);
    for (const QString &grammar : {defaultSyntax, syntax64}) {
        SyntaxAnalyzer analyzer(grammar);
        int line = -1;
        Node *failed = nullptr;
        const bool valid = analyzer.analyze(&lines, line, failed);
        // The error location indexes the lines with this verdict.
        FUZZ_CHECK(!valid || !failed);
        FUZZ_CHECK(valid || failed || (line >= 0 && line < lines.size()));
        FUZZ_CHECK(valid || !failed || line >= 0);

        Node *found = nullptr;
        const QStringList names = analyzer.getValues(QStringLiteral("NameOfResults"), false, found);
        if (!names.isEmpty())
            OutputLocation::fromResultName(QStringLiteral("/tmp"), names.first());
    }
    return 0;
}
