// Window of the display stand-in: lists the files it was started with, so that a user sees
// what the editor would hand to the real display tool. DP_ZELMORA_CLOSE_MS closes it by itself.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

namespace {

QString describe(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QObject::tr("%1 (missing)").arg(path);
    return QObject::tr("%1 (%2 bytes)").arg(path).arg(info.size());
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList files = application.arguments().mid(1);

    QWidget window;
    window.setWindowTitle(QObject::tr("DP_ZELMORA stand-in"));
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(files.isEmpty() ? QObject::tr("Started without files.")
                                                 : QObject::tr("Files to display:")));
    auto *list = new QListWidget;
    for (const QString &file : files)
        list->addItem(describe(file));
    layout->addWidget(list);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QWidget::close);
    layout->addWidget(buttons);
    window.resize(560, 240);
    window.show();

    bool ok = false;
    const int closeAfter = qEnvironmentVariable("DP_ZELMORA_CLOSE_MS").toInt(&ok);
    if (ok)
        QTimer::singleShot(closeAfter, &window, &QWidget::close);
    return application.exec();
}
