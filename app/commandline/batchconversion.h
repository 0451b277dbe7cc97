#ifndef VORPEN_BATCHCONVERSION_H
#define VORPEN_BATCHCONVERSION_H

#include <QStringList>

class QTextStream;

enum class BatchOutcome
{
    Converted,              // leave with 0
    MissingConvertDirectory // leave with -1
};

// True when the command line asks for batch conversion. Such a run never shows a window, so it
// is decided before any application object exists.
bool asksForConversion(int argc, char *argv[]);

// Converts the files that follow "-convert <directory>" into that directory, without a window,
// and appends each one's outcome and a line end to its absolute path on out. Files before
// "-convert" only have their paths printed.
BatchOutcome convertArguments(const QStringList &arguments, QTextStream &out);

#endif
