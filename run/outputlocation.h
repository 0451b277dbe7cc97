#ifndef VORPEN_OUTPUTLOCATION_H
#define VORPEN_OUTPUTLOCATION_H

#include <QString>

// Where a simulation writes: its name, result directory and screen file.
struct OutputLocation
{
    QString simName;
    QString resultDir;
    QString screenFile;

    // From the "NameOfResults" value of a driving file stored in drivingFileDir; a relative name
    // is taken from that directory, a name without "/" gives the directory itself plus "/".
    static OutputLocation fromResultName(const QString &drivingFileDir, const QString &resultName);
};

#endif
