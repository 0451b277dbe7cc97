#include "app/window/editor.h"

#include "app/page/editortabs.h"
#include "app/text/customtextedit.h"

#include <QCursor>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTextBlock>

namespace {

bool isSectionUnderline(const QTextBlock &block)
{
    const QString text = block.text();
    return text.contains(QLatin1String("======")) || text.contains(QLatin1String("------"));
}

// The title line of the section around the block: the line above the nearest underline at or
// above it, or the first line when there is none.
QTextBlock sectionStart(QTextBlock block)
{
    // A title line is part of the section it names, not of the one above.
    if (isSectionUnderline(block.next()))
        return block;
    for (;;) {
        const QTextBlock above = block.previous();
        if (isSectionUnderline(block) || !above.isValid())
            return above.isValid() ? above : block;
        block = above;
    }
}

// The last line before the next section's title line, or the last line of the text.
QTextBlock sectionEnd(const QTextBlock &start)
{
    QTextBlock end = start;
    for (int step = 0; step < 2 && end.next().isValid(); ++step)
        end = end.next();
    for (;;) {
        if (isSectionUnderline(end))
            return end.blockNumber() - start.blockNumber() >= 2 ? end.previous().previous() : start;
        if (!end.next().isValid())
            return end;
        end = end.next();
    }
}

// Each piece keeps its trailing paragraph separator so that joining restores the lines.
QStringList selectedLines(const QString &text)
{
    QStringList pieces;
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QChar::ParagraphSeparator) {
            pieces << text.mid(start, i - start + 1);
            start = i + 1;
        }
    }
    pieces << text.mid(start);
    return pieces;
}

} // namespace

void Editor::focus_search()
{
    // A shortcut focus selects the old term, so typing replaces it.
    searchField->setFocus(Qt::ShortcutFocusReason);
}

void Editor::slotSearch()
{
    if (!currentTab)
        return;
    QTextEdit *edit = currentTab->textEdit;
    const QString term = searchField->text();
    edit->setFocus();
    if (!edit->find(term)) {
        QMessageBox::information(this, tr("Search warning"),
                                 tr("Starting from current cursor position,") +
                                     QStringLiteral("\n") +
                                     tr("the searched term could not be found !"));
        return;
    }
    // Scrolling to the line below first keeps one line of context visible under the hit.
    const QTextCursor hit = edit->textCursor();
    QTextCursor below = hit;
    below.movePosition(QTextCursor::Down);
    edit->setTextCursor(below);
    edit->setTextCursor(hit);
}

void Editor::comment(bool in)
{
    if (!currentTab)
        return;
    QTextCursor cursor = currentTab->textEdit->textCursor();
    if (!cursor.hasSelection())
        cursor.select(QTextCursor::LineUnderCursor);
    QStringList pieces = selectedLines(cursor.selectedText());
    // A selection that ends at a line start does not reach into that line.
    const bool endsAtLineStart = pieces.size() > 1 && pieces.last().isEmpty();
    const int lines = endsAtLineStart ? pieces.size() - 1 : pieces.size();
    for (int i = 0; i < lines; ++i) {
        if (in)
            pieces[i].prepend(QLatin1Char('#'));
        else if (pieces.at(i).startsWith(QLatin1Char('#')))
            pieces[i].remove(0, 1);
    }
    const QString result = pieces.join(QString());
    // Uncommenting lines without a hash must not mark the page modified.
    if (result != cursor.selectedText())
        cursor.insertText(result);
}

void Editor::slotCommentIn()
{
    comment(true);
}

void Editor::slotCommentOut()
{
    comment(false);
}

void Editor::slotSelectBlock()
{
    if (!currentTab)
        return;
    QTextEdit *edit = currentTab->textEdit;
    const QTextBlock start = sectionStart(edit->textCursor().block());
    const QTextBlock end = sectionEnd(start);
    QTextCursor selection(start);
    selection.setPosition(end.position() + end.length() - 1, QTextCursor::KeepAnchor);
    edit->setTextCursor(selection);
}

void Editor::editorContextMenue(QPoint pos)
{
    if (!currentTab)
        return;
    QMenu *menu = currentTab->textEdit->createStandardContextMenu(pos);
    // The live tools come before the editing tools, which stay last.
    menu->addSeparator();
    menu->addAction(tr("Complete Keyword"), this, &Editor::slotCompleteKeyword,
                    QKeySequence(QStringLiteral("Ctrl+Shift+Space")));
    menu->addAction(tr("Go to Syntax Error"), this, &Editor::slotGotoSyntaxError,
                    QKeySequence(QStringLiteral("Ctrl+J")));
    menu->addSeparator();
    menu->addAction(tr("Select &Block"), this, &Editor::slotSelectBlock,
                    QKeySequence(QStringLiteral("Ctrl+B")));
    menu->addAction(tr("Comment Selection"), this, &Editor::slotCommentIn,
                    QKeySequence(QStringLiteral("Ctrl+D")));
    menu->addAction(tr("Uncomment Selection"), this, &Editor::slotCommentOut,
                    QKeySequence(QStringLiteral("Ctrl+Shift+D")));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(QCursor::pos());
}

void Editor::slotChangeCursorPosition()
{
    auto *edit = qobject_cast<QTextEdit *>(sender());
    if (!edit && currentTab)
        edit = currentTab->textEdit;
    if (edit)
        lastCursor = edit->textCursor();
}
