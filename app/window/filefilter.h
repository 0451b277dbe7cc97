#ifndef VORPEN_FILEFILTER_H
#define VORPEN_FILEFILTER_H

#include "app/main.h"

#include <QObject>

// Name filter of the open and save dialogs: driving files first, then everything.
inline QString drivingFileFilter()
{
    return QObject::tr("Driving Files") + QStringLiteral(" (") + allFileExtensions +
           QStringLiteral(");;") + QObject::tr("All Files") + QStringLiteral("(*)");
}

#endif
