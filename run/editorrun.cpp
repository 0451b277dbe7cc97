#include "app/editor.h"

void Editor::slotRun(bool, bool) {}

void Editor::slotSuspend() {}

void Editor::slotKill() {}

void Editor::slotFinished(int, QProcess::ExitStatus) {}

void Editor::slotUpdateOutput() {}

void Editor::slotResultStateChanged(int) {}

void Editor::slotDisplay() {}

void Editor::slotRefreshOutput() {}

void Editor::slotActivateRefresh(bool) {}

void Editor::slotShowOutput(bool) {}

void Editor::killProcess(EditorTabs *) {}

bool Editor::toFinish(const QString &)
{
    return false;
}

void Editor::buildResultSelection() {}

QStringList Editor::getFileList(const QString &, const QString &)
{
    return QStringList();
}
