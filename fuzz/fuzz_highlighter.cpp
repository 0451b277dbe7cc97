// Arbitrary text coloured by the editor's highlighter.
#include "app/highlighter.h"
#include "fuzzsupport.h"

#include <QTextDocument>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startGuiApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTextDocument document;
    static Highlighter highlighter(&document);
    document.setPlainText(fuzzText(data, size));
    return 0;
}
