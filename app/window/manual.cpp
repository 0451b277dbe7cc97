#include "app/window/manual.h"

#include <QCoreApplication>
#include <QFileInfo>

QString manualLocation()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString beside = programDir + QStringLiteral("/docs/index.html");
    const QString installed = programDir + QStringLiteral("/../share/doc/vorpen/index.html");
    if (!QFileInfo::exists(beside) && QFileInfo::exists(installed))
        return QFileInfo(installed).canonicalFilePath();
    return beside;
}
