#include "fuzzsupport.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace {

int argc = 1;
char name[] = "vorpen-fuzz";
char *argv[] = {name, nullptr};

} // namespace

// Warnings about faulty inputs would drown libFuzzer's output; fatal messages still abort.
static void dropMessage(QtMsgType, const QMessageLogContext &, const QString &) {}

static void prepare()
{
    Q_INIT_RESOURCE(MyRes);
    qInstallMessageHandler(dropMessage);
}

void startCoreApplication()
{
    if (QCoreApplication::instance())
        return;
    new QCoreApplication(argc, argv);
    prepare();
}

void startGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);
    prepare();
}

QString fuzzText(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
}

QStringList fuzzLines(const uint8_t *data, size_t size)
{
    return fuzzText(data, size).split(QLatin1Char('\n'));
}
