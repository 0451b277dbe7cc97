#include "tools/standins/resultfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include <cmath>

namespace {

bool writeWhole(const QString &path, const QString &text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QByteArray bytes = text.toUtf8();
    return file.write(bytes) == bytes.size() && file.commit();
}

struct Grid
{
    int x, y, z;
    double radius;

    double phaseAt(int i, int j, int k) const
    {
        const double dx = i - (x - 1) / 2.0;
        const double dy = j - (y - 1) / 2.0;
        const double dz = k - (z - 1) / 2.0;
        const double r = std::sqrt(dx * dx + dy * dy + dz * dz);
        return 0.5 * (1.0 - std::tanh(r - radius));
    }

    // x fastest, then y, then z: the point order of a structured VTK data set.
    QString values(const QString &rowSeparator) const
    {
        QString text;
        for (int k = 0; k < z; ++k)
            for (int j = 0; j < y; ++j) {
                for (int i = 0; i < x; ++i)
                    text += QString::number(phaseAt(i, j, k), 'f', 3) + QLatin1Char(' ');
                text += rowSeparator;
            }
        return text;
    }
};

} // namespace

ResultFiles::ResultFiles(const QString &nameOfResults, const QString &drivingFile)
{
    QString name = nameOfResults;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const bool absolute = name.length() > 1 && name.startsWith(QLatin1Char('/'));
    const int slash = name.lastIndexOf(QLatin1Char('/'));
    simName = name.mid(slash + 1);
    const QString dirPart = slash < 0 ? QString() : name.left(slash);
    const QString base = QFileInfo(drivingFile).absolutePath();
    resultDir = QDir::cleanPath(absolute ? dirPart : base + QLatin1Char('/') + dirPart);
}

QString ResultFiles::path(const QString &suffix) const
{
    return resultDir + QLatin1Char('/') + simName + suffix;
}

bool ResultFiles::createDirectory() const
{
    return QDir().mkpath(resultDir);
}

void ResultFiles::removeFormerResults() const
{
    for (const char *suffix : {".log", ".TabF", ".phas", "_phas.vtk"})
        QFile::remove(path(QLatin1String(suffix)));
}

bool ResultFiles::writeInFile(const QStringList &readLines, bool faulty) const
{
    QString text = readLines.join(QLatin1Char('\n'));
    if (faulty)
        text += QStringLiteral("\n__END__");
    return writeWhole(path(QStringLiteral(".in")), text + QLatin1Char('\n'));
}

bool ResultFiles::append(const QString &suffix, const QString &text) const
{
    QFile file(path(suffix));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return false;
    const QByteArray bytes = (text + QLatin1Char('\n')).toUtf8();
    return file.write(bytes) == bytes.size();
}

bool ResultFiles::appendLog(const QString &text) const
{
    return append(QStringLiteral(".log"), text);
}

bool ResultFiles::appendTableRow(const QString &row) const
{
    return append(QStringLiteral(".TabF"), row);
}

bool ResultFiles::writeFields(int cellsX, int cellsY, int cellsZ, double radius, bool vtk) const
{
    const Grid grid{cellsX, cellsY, cellsZ, radius};
    const QString header = QStringLiteral("# phase field of %1, %2 x %3 x %4 cells\n")
                               .arg(simName)
                               .arg(cellsX)
                               .arg(cellsY)
                               .arg(cellsZ);
    if (!writeWhole(path(QStringLiteral(".phas")), header + grid.values(QStringLiteral("\n"))))
        return false;
    if (!vtk)
        return true;
    const QString vtkText =
        QStringLiteral("# vtk DataFile Version 3.0\n%1 phase field\nASCII\n"
                       "DATASET STRUCTURED_POINTS\nDIMENSIONS %2 %3 %4\nORIGIN 0 0 0\n"
                       "SPACING 1 1 1\nPOINT_DATA %5\nSCALARS phase float 1\n"
                       "LOOKUP_TABLE default\n")
            .arg(simName)
            .arg(cellsX)
            .arg(cellsY)
            .arg(cellsZ)
            .arg(cellsX * cellsY * cellsZ);
    return writeWhole(path(QStringLiteral("_phas.vtk")),
                      vtkText + grid.values(QStringLiteral("\n")));
}
