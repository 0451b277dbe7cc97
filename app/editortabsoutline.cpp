#include "app/editortabs.h"

// Filled in with the outline navigation; until then a click on the outline does nothing.
void EditorTabs::slotGotoBookmark(QModelIndex) {}
