#include "app/page/editortabwidget.h"

#include "app/window/filedrop.h"

#include <QDragEnterEvent>
#include <QMimeData>

EditorTabWidget::EditorTabWidget(QWidget *parent) : QTabWidget(parent)
{
    setAcceptDrops(true);
    setTabsClosable(true);
    setMovable(true);
}

void EditorTabWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void EditorTabWidget::dragMoveEvent(QDragMoveEvent *event)
{
    event->acceptProposedAction();
}

void EditorTabWidget::dropEvent(QDropEvent *event)
{
    openDroppedFiles(event);
}
