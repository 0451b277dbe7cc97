#ifndef VORPEN_STANDINMESSAGES_H
#define VORPEN_STANDINMESSAGES_H

#include <QString>

// Screen texts of the stand-in in the language that the driving file's "Language" selects.
struct StandInMessages
{
    QString refused;        // %1 line number, %2 parameter, %3 type, %4 line text
    QString endOfFile;      // %1 parameter, %2 type
    QString tooMuchInput;   // %1 line number, %2 line text
    QString initialisation; // the first line after the input was read completely
    // The English wording names the input error before the refused line is shown; the German
    // and French ones follow the echo of the refused line. The editor counts the echoed lines
    // to find the refused one and relies on this difference.
    bool echoRefusedLine = false;

    static StandInMessages forLanguage(const QString &languageValue);
};

#endif
