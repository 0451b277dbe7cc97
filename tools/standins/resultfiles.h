#ifndef VORPEN_RESULTFILES_H
#define VORPEN_RESULTFILES_H

#include <QString>
#include <QStringList>

// The files a run leaves in its result directory, all named after the simulation name.
class ResultFiles
{
public:
    // Derives directory and name from "NameOfResults" the way the editor does, so that both
    // look in the same place: relative names count from the driving file's directory.
    ResultFiles(const QString &nameOfResults, const QString &drivingFile);

    QString directory() const { return resultDir; }
    QString simulationName() const { return simName; }
    QString path(const QString &suffix) const;

    bool createDirectory() const;
    // A new run must not append to the log and table of a former run of the same name.
    void removeFormerResults() const;
    // The input as read; "__END__" closes it when the input was faulty.
    bool writeInFile(const QStringList &readLines, bool faulty) const;
    bool appendLog(const QString &text) const;
    bool appendTableRow(const QString &row) const;
    // Phase field of one round grain of the given radius on the grid.
    bool writeFields(int cellsX, int cellsY, int cellsZ, double radius, bool vtk) const;

private:
    bool append(const QString &suffix, const QString &text) const;

    QString resultDir;
    QString simName;
};

#endif
