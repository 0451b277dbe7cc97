#include "app/editor.h"

void Editor::slotAnalyze(QString) {}

int Editor::getValidParameterCount(QString *)
{
    return -1;
}

int Editor::getPositionOfParameter(QString *, int)
{
    return -1;
}
