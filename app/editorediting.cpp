#include "app/editor.h"

void Editor::slotSearch() {}

void Editor::slotChangeCursorPosition() {}

void Editor::editorContextMenue(QPoint) {}

void Editor::focus_search() {}

void Editor::slotSelectBlock() {}

void Editor::slotCommentIn() {}

void Editor::slotCommentOut() {}

void Editor::comment(bool) {}
