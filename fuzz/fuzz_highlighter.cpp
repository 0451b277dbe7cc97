// Arbitrary text coloured by the editor's highlighter.
#include "app/text/highlighter.h"
#include "fuzzsupport.h"

#include <QCoreApplication>
#include <QTextDocument>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startGuiApplication();
    return 0;
}

static QTextDocument *highlightedDocument()
{
    static QTextDocument document;
    static Highlighter highlighter(&document);
    static bool started = false;
    if (!started) {
        document.setUndoRedoEnabled(false);
        // The highlighter's first pass waits for the event loop; until it ran, edits are not
        // highlighted at all.
        QCoreApplication::processEvents();
        started = true;
    }
    return &document;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    highlightedDocument()->setPlainText(fuzzText(data, size));
    return 0;
}
