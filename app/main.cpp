#include "app/main.h"
#include "app/commandline/commandline.h"
#include "app/window/editor.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(MyRes);
    QApplication application(argc, argv);
    auto *editor = new Editor(QDir::homePath() + os_pathsep + os_vorpen);
    if (argc > 1) {
        QTextStream out(stdout);
        switch (processArguments(*editor, application.arguments().mid(1), out)) {
        case CommandLineOutcome::MissingConvertDirectory:
            return -1;
        case CommandLineOutcome::Converted:
            return 0;
        case CommandLineOutcome::Interactive:
            break;
        }
    }
    editor->slotChangeTab(0);
    editor->show();
    return application.exec();
}
