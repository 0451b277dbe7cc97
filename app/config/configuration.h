#ifndef VORPEN_CONFIGURATION_H
#define VORPEN_CONFIGURATION_H

#include "run/cluster/clustersettings.h"

#include <QString>
#include <QStringList>

// The per-user settings and their line-oriented file. Copies leave out both lists, so the
// copies that document tabs hold never carry or write the recent-file history.
class Configuration
{
public:
    Configuration(const QString &fileName, const QString &simulationExecutable,
                  const QString &displayTool, int fontSize, bool executableKnown);
    Configuration(const Configuration &other);
    Configuration &operator=(const Configuration &other);

    // Fills the settings from the user's file, the site default file and built-in defaults.
    void setDefault();
    // Reads fileName; a missing or unreadable file changes nothing.
    void read();
    // Writes fileName; with merge, recent files another instance wrote are kept first.
    void write(bool merge);
    // Moves or inserts path at the head of recentFiles; true when it was already listed.
    bool isRecent(const QString &path);
    void removeRecentFile(const QString &path);
    // Empties the list in memory and on disk (no merge, so other instances' entries go too).
    void clearRecentFileList();

    static const int maxRecentFiles = 20;

    QString fileName;
    QString simulationExecutable;
    QStringList recentExecutables;
    QString displayTool;
    int fontSize;
    bool executableKnown;
    QStringList recentFiles;
    // Kept between the executables and the recent files, where older versions skip lines.
    ClusterSettings cluster;
};

#endif
