#include "app/editor.h"

void Editor::slotChangeTab(int) {}

void Editor::slotFontSizeChanged(int) {}

void Editor::font_size_plus() {}

void Editor::font_size_minus() {}

void Editor::closeEvent(QCloseEvent *) {}

int Editor::currentTabIndex() const
{
    return -1;
}
