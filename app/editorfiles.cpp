#include "app/editor.h"

bool Editor::loadFile(const QString &, bool)
{
    return false;
}

bool Editor::saveFile(QString &)
{
    return false;
}

QString Editor::makeFileNameCopy(QString)
{
    return QString();
}

void Editor::slotReloadFromDisk() {}

bool Editor::updateFileInfo()
{
    return true;
}

void Editor::slotOpen() {}

bool Editor::slotSave()
{
    return false;
}

bool Editor::slotSaveAs()
{
    return false;
}
