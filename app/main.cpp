#include "app/editor.h"
#include "app/main.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(MyRes);
    QApplication application(argc, argv);
    Editor *editor = new Editor(QDir::homePath() + os_pathsep + os_vorpen);
    editor->show();
    return application.exec();
}
