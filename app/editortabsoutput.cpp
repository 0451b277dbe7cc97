#include "app/editortabs.h"

// The output monitoring and the run panel fill these in; until then a page has no output
// location, no run panel and no result selection.
void EditorTabs::setupOutputLocation() {}

void EditorTabs::layoutRunConfiguration() {}

void EditorTabs::selectScreenResult() {}
