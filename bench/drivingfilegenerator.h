#ifndef VORPEN_DRIVINGFILEGENERATOR_H
#define VORPEN_DRIVINGFILEGENERATOR_H

#include <QString>

// How much of each repeated part a generated driving file holds.
struct DrivingFileSize
{
    int grains = 0;      // given one by one (deterministic grain input)
    int outputTimes = 4; // at least 1
    int seedTypes = 1;   // 0 means no nucleation
    int phases = 3;      // the liquid matrix included; at least 2
};

// Writes a valid driving file of version "7.0" or "6.4" of any size. It follows the nucleation
// example of the library: a cooled melt with solid phases, deterministic grains and seed types.
// Every pair of phases interacts.
QString generateDrivingFile(const QString &version, const DrivingFileSize &size);

#endif
