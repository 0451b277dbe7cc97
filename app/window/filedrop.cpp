#include "app/window/filedrop.h"

#include "app/page/editortabwidget.h"
#include "app/window/editor.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

bool openDroppedFiles(QDropEvent *event)
{
    Editor *editor = Editor::getInstance();
    if (!editor || !event->mimeData()->hasUrls())
        return false;
    const QList<QUrl> urls = event->mimeData()->urls();
    // Web links have no local file to open.
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            editor->loadFile(url.toLocalFile(), false, true);
    }
    event->acceptProposedAction();
    emit editor->tabWidget->currentChanged(editor->tabWidget->count() - 1);
    return true;
}
