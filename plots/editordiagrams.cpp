#include "app/editor.h"

void Editor::updateDiagramMenu() {}
