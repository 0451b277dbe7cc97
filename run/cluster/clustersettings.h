#ifndef VORPEN_CLUSTERSETTINGS_H
#define VORPEN_CLUSTERSETTINGS_H

#include <QString>
#include <QStringList>

// Where a page's runs go and, for the cluster, what its batch jobs ask for.
struct ClusterSettings
{
    bool onCluster = false;
    QString partition;
    int nodes = 1;
    int tasks = 1;
    int cpusPerTask = 1;
    QString timeLimit;
    QString account;
    QString extraOptions; // further sbatch options, as typed

    // The job's requests as sbatch options; empty fields ask for nothing.
    QStringList sbatchOptions() const;

    bool operator==(const ClusterSettings &other) const;

    // Lines of the configuration file that keep these settings; none for the defaults, so that
    // the file of a user who never runs on a cluster does not change.
    QStringList configLines() const;
    // Takes one configuration line; false when it is not one of these settings.
    bool readConfigLine(const QString &line);
};

#endif
