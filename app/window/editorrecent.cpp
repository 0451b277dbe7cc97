#include "app/config/configuration.h"
#include "app/window/editor.h"

#include <QAction>
#include <QMenu>

// Paths may hold "&", which a menu text would take for a mnemonic; the path itself travels in
// the action's data.
void Editor::updateRecentMenu()
{
    clearRecentMenu();
    for (const QString &path : qAsConst(configuration->recentFiles)) {
        QString text = path;
        QAction *action =
            recentMenu->addAction(text.replace(QLatin1Char('&'), QLatin1String("&&")));
        action->setData(path);
        connect(action, &QAction::triggered, this, &Editor::openRecentFile);
    }
    recentMenu->addSeparator();
    recentMenu->addAction(tr("&Clear recent file list"), this, &Editor::deleteRecent);
    configuration->write(true);
}

void Editor::clearRecentMenu()
{
    const QList<QAction *> entries = recentMenu->actions();
    for (QAction *action : entries) {
        disconnect(action, nullptr, this, nullptr);
        recentMenu->removeAction(action);
        action->deleteLater();
    }
}

void Editor::openRecentFile()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    const QString path = action->data().toString();
    if (!loadFile(path, false, true))
        return;
    updateDiagramMenu();
    slotChangeTab(currentTabIndex());
}

void Editor::deleteRecent()
{
    clearRecentMenu();
    configuration->clearRecentFileList();
    updateRecentMenu();
}
