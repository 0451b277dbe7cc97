#include "app/customtextedit.h"

#include "app/editor.h"
#include "app/filedrop.h"
#include "app/fonts.h"

#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>

CustomTextEdit::CustomTextEdit(QWidget *parent) : QTextEdit(parent)
{
    setAcceptDrops(true);
    setFont(monospaceFont(QStringLiteral("Courier New")));
    setLineWrapMode(QTextEdit::NoWrap);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void CustomTextEdit::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        QTextEdit::dragEnterEvent(event);
}

void CustomTextEdit::dragMoveEvent(QDragMoveEvent *event)
{
    // The base class moves the drop caret for text dragged inside the editor.
    QTextEdit::dragMoveEvent(event);
    event->acceptProposedAction();
}

void CustomTextEdit::dropEvent(QDropEvent *event)
{
    if (!openDroppedFiles(event))
        QTextEdit::dropEvent(event);
}

void CustomTextEdit::keyPressEvent(QKeyEvent *event)
{
    Editor *editor = Editor::getInstance();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (editor && (modifiers & Qt::ControlModifier)) {
        if (event->key() == Qt::Key_B) {
            editor->slotSelectBlock();
            return;
        }
        if (event->key() == Qt::Key_D) {
            if (modifiers & Qt::ShiftModifier)
                editor->slotCommentOut();
            else
                editor->slotCommentIn();
            return;
        }
    }
    QTextEdit::keyPressEvent(event);
}
