#include "app/editortabs.h"

#include "run/checkelement.h"
#include "run/runconfigurationwidget.h"

#include <QFileInfo>

// Without an analysis engine yet, a page has no output location.
void EditorTabs::setupOutputLocation()
{
    simName.clear();
    resultDir.clear();
    screenFile.clear();
}

void EditorTabs::layoutRunConfiguration()
{
    runConfiguration->getLayout(&configuration);
}

void EditorTabs::selectScreenResult()
{
    for (CheckElement *element : qAsConst(checkElements)) {
        if (QFileInfo(element->resultFile).suffix() != QLatin1String("scr"))
            continue;
        element->checkBox->setChecked(true);
        element->ticked = true;
        return;
    }
}
