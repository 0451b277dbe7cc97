#ifndef VORPEN_BATCHCONVERSION_H
#define VORPEN_BATCHCONVERSION_H

#include <QString>

class Editor;
class QTextStream;

// Converts the document that was just loaded from inputPath into directory, and appends the
// outcome and a line end to the input path that the command line has already printed.
void convertLoadedFile(Editor &editor, const QString &inputPath, const QString &directory,
                       QTextStream &out);

#endif
