#include "app/page/editortabs.h"

#include "app/outline/bookmarks.h"
#include "app/text/customtextedit.h"

void EditorTabs::slotGotoBookmark(QModelIndex itemIndex)
{
    QStringList lines = textLines();
    const bool modified = docState == 2;
    if (modified) {
        int line = -1;
        Node *failed = nullptr;
        reanalyze(syntaxFile, line, failed);
        syntaxValid = !failed;
    }
    const int position = itemIndex.sibling(itemIndex.row(), 1).data().toInt();
    const bool selectLine = position > 0 || (position == 0 && itemIndex.row() == 0);
    if (modified)
        bookmarks->updateModel(&lines);
    // An entry read before an edit may point past the end of the shortened text.
    const int target = qBound(0, position, textEdit->document()->characterCount() - 1);

    // Arriving from below and passing three lines above leaves context visible over the title.
    QTextCursor cursor = textEdit->textCursor();
    cursor.movePosition(QTextCursor::End);
    textEdit->setTextCursor(cursor);
    cursor.setPosition(target);
    textEdit->setTextCursor(cursor);
    cursor.movePosition(QTextCursor::Up, QTextCursor::MoveAnchor, 3);
    textEdit->setTextCursor(cursor);
    cursor.setPosition(target);
    if (selectLine)
        cursor.select(QTextCursor::LineUnderCursor);
    textEdit->setTextCursor(cursor);
    textEdit->setFocus();
}
