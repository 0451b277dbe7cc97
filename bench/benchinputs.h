#ifndef VORPEN_BENCHINPUTS_H
#define VORPEN_BENCHINPUTS_H

#include "bench/drivingfilegenerator.h"

#include <QString>
#include <QStringList>

// The repeated part a benchmark grows; the others keep their small default.
enum class Grown
{
    Grains,
    OutputTimes,
    SeedTypes,
    Phases
};

// A generated driving file of version "7.0" or "6.4" with n of the grown part.
QString benchText(const QString &version, Grown grown, int n);
QStringList benchLines(const QString &version, Grown grown, int n);

// The syntax definition of a version.
QString grammarOf(const QString &version);

#endif
