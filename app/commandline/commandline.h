#ifndef VORPEN_COMMANDLINE_H
#define VORPEN_COMMANDLINE_H

#include <QStringList>

class Editor;
class QTextStream;

// Opens the files named after the program name, printing their absolute paths to out.
void openArguments(Editor &editor, const QStringList &arguments, QTextStream &out);

#endif
