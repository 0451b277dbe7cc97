#ifndef VORPEN_COMMANDLINE_H
#define VORPEN_COMMANDLINE_H

#include <QStringList>

class Editor;
class QTextStream;

enum class CommandLineOutcome
{
    Interactive,            // run the event loop
    Converted,              // batch conversion done: leave with 0
    MissingConvertDirectory // leave with -1
};

// Opens the files named after the program name, printing their absolute paths to out, and
// converts those that follow "-convert <directory>".
CommandLineOutcome processArguments(Editor &editor, const QStringList &arguments, QTextStream &out);

#endif
