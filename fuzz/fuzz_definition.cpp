// An arbitrary syntax definition, then text analysed against it and printed back. The input is
// the definition up to the first NUL byte and the driving-file text after it.
#include "fuzzsupport.h"
#include "syntax/syntaxanalyzer.h"

#include <cstring>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startCoreApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto *end = static_cast<const uint8_t *>(std::memchr(data, 0, size));
    const size_t definitionSize = end ? size_t(end - data) : size;
    const size_t textStart = end ? definitionSize + 1 : size;
    SyntaxAnalyzer analyzer(QStringLiteral("fuzzed.xml"),
                            QByteArray(reinterpret_cast<const char *>(data), int(definitionSize)));
    QStringList lines = fuzzLines(data + textStart, size - textStart);
    int line = -1;
    Node *failed = nullptr;
    analyzer.analyze(&lines, line, failed);
    analyzer.printTree(false);
    return 0;
}
