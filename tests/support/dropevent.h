#ifndef VORPEN_TESTS_DROPEVENT_H
#define VORPEN_TESTS_DROPEVENT_H

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>

// Drags data onto target and drops it there, as a file manager does; true when it was taken.
inline bool dropOn(QWidget *target, QMimeData *data)
{
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

#endif
