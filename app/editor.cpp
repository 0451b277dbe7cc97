#include "app/editor.h"

#include "app/main.h"

Editor *Editor::instance = nullptr;

Editor::Editor(const QString &configurationPath, QWidget *parent)
    : QMainWindow(parent), configurationPath(configurationPath)
{
    instance = this;
    setWindowTitle(appName + QStringLiteral(" ") + appVersion);
}

Editor::~Editor()
{
    if (instance == this)
        instance = nullptr;
}

Editor *Editor::getInstance()
{
    return instance;
}
