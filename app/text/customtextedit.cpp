#include "app/text/customtextedit.h"

#include "app/text/fonts.h"
#include "app/text/linelayout.h"
#include "app/window/editor.h"
#include "app/window/filedrop.h"

#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextDocument>
#include <QTextOption>

CustomTextEdit::CustomTextEdit(QWidget *parent) : QTextEdit(parent)
{
    setAcceptDrops(true);
    setFont(monospaceFont(QStringLiteral("Courier New")));
    setLineWrapMode(QTextEdit::NoWrap);
    setContextMenuPolicy(Qt::CustomContextMenu);
    // Driving files are plain text; formatted text pasted in would be lost on saving anyway.
    setAcceptRichText(false);
    // Driving files read left to right. Left to guess, a layout scans whole lines for their
    // direction.
    QTextOption option = document()->defaultTextOption();
    option.setTextDirection(Qt::LeftToRight);
    document()->setDefaultTextOption(option);
    // The stock layout redoes every line below an edit, which is too slow in large files.
    document()->setDocumentLayout(new LineLayout(document(), viewport()));
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
