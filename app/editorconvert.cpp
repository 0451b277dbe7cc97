#include "app/editor.h"

void Editor::slotConvert() {}

void Editor::slotCopyINfile() {}
