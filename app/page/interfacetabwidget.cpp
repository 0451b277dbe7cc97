#include "app/page/interfacetabwidget.h"

#include "app/page/editortabs.h"
#include "app/window/editor.h"

InterfaceTabWidget::InterfaceTabWidget(QWidget *parent) : QTabWidget(parent)
{
    setMovable(true);
    setTabsClosable(false);
    connect(this, &QTabWidget::currentChanged, this, &InterfaceTabWidget::slotInterfaceChange);
}

void InterfaceTabWidget::slotInterfaceChange(int index)
{
    Editor *editor = Editor::getInstance();
    EditorTabs *page = editor ? editor->currentTab : nullptr;
    if (!page)
        return;
    const QString view = tabText(index);
    if (view == tr("Run Configuration") && page->runConfiguration) {
        int line = -1;
        Node *failed = nullptr;
        page->reanalyze(page->syntaxFile, line, failed);
        page->layoutRunConfiguration();
    } else if (view == tr("Results")) {
        page->outputShown = true;
    }
}
