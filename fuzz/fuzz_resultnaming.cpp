// Arbitrary file names in a result directory: the first line is the simulation name, every
// further line a file that the simulation left there.
#include "fuzzcheck.h"
#include "fuzzsupport.h"
#include "run/outputlocation.h"
#include "run/resultnaming.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startCoreApplication();
    return 0;
}

static bool canBeFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar(0)) &&
           name.toUtf8().size() < 256;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir results;
    QDir dir(results.path());
    const QStringList old = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : old)
        dir.remove(name);

    QStringList names = fuzzLines(data, size);
    const QString simName = names.takeFirst();
    QStringList created;
    for (const QString &name : names.mid(0, 64)) {
        QFile file(dir.filePath(name));
        if (canBeFileName(name) && file.open(QIODevice::WriteOnly))
            created << name;
    }

    const QStringList listed = ResultNaming::list(dir.path(), simName);
    for (const QString &file : listed) {
        FUZZ_CHECK(created.contains(file));
        const QString entry = ResultNaming::entryName(file);
        ResultNaming::entryLabel(entry, simName);
        ResultNaming::isDisplayable(entry);
        ResultNaming::displayFile(dir.path(), entry);
    }
    const OutputLocation location = OutputLocation::fromResultName(dir.path(), simName);
    FUZZ_CHECK(location.screenFile.endsWith(QLatin1String(".scr")));
    return 0;
}
