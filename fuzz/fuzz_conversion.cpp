// Arbitrary text analysed with the 6.4 grammar, converted to 7.0 and checked, as the conversion
// command and the batch conversion do whatever the 6.4 verdict.
#include "app/main.h"
#include "convert/conversionresult.h"
#include "fuzzcheck.h"
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
    int warnings = 0;
    const ConvertedText converted =
        convertAndVerify(&source, [&warnings](const QString &) { ++warnings; });
    FUZZ_CHECK(!converted.warnings || warnings > 0);
    converted.accepted();
    // The first line stands in for a file name to derive the converted file's name from.
    FUZZ_CHECK(convertedFilePath(lines.first()).contains(QLatin1String("_v7-0")));
    return 0;
}
