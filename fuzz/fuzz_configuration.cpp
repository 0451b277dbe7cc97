// Arbitrary bytes as the configuration file: reading must not fail, and what the editor writes
// back must read the same at the next start.
#include "app/config/configuration.h"
#include "fuzzcheck.h"
#include "fuzzsupport.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startCoreApplication();
    return 0;
}

static QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

static Configuration readBack(const QString &path)
{
    Configuration configuration(path, QString(), QString(), 12, false);
    configuration.read();
    return configuration;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir home;
    const QString path = home.filePath(QStringLiteral(".vorpenrc7000"));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }

    Configuration first = readBack(path);
    first.isRecent(home.path());
    first.write(true);
    const QByteArray written = contents(path);

    Configuration second = readBack(path);
    FUZZ_CHECK(second.simulationExecutable == first.simulationExecutable);
    FUZZ_CHECK(second.displayTool == first.displayTool);
    FUZZ_CHECK(second.fontSize == first.fontSize);
    FUZZ_CHECK(second.recentFiles.size() <= Configuration::maxRecentFiles);
    FUZZ_CHECK(second.recentExecutables == first.recentExecutables);
    second.write(true);
    FUZZ_CHECK(contents(path) == written);
    return 0;
}
