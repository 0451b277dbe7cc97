#include "run/outputlocation.h"

#include "app/main.h"

OutputLocation OutputLocation::fromResultName(const QString &drivingFileDir,
                                              const QString &resultName)
{
    OutputLocation location;
    QString name = resultName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const bool absolute = name.size() > 1 && name.startsWith(QLatin1Char('/'));
    const int slash = name.lastIndexOf(QLatin1Char('/'));
    if (slash < 0) {
        location.simName = name;
    } else {
        location.resultDir = name.left(slash);
        location.simName = name.mid(slash + 1);
    }
    if (!absolute)
        location.resultDir = drivingFileDir + os_pathsep + location.resultDir;
    location.screenFile = location.resultDir + os_pathsep + location.simName + os_outputExtension;
    return location;
}
