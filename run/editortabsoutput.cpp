#include "app/page/editortabs.h"

#include "run/checkelement.h"
#include "run/outputlocation.h"
#include "run/runconfigurationwidget.h"
#include "syntax/syntaxanalyzer.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QScrollArea>
#include <QSplitter>

void EditorTabs::setupOutputLocation()
{
    settleAnalysis();
    simName.clear();
    resultDir.clear();
    screenFile.clear();
    if (!fileInfo || !analyzer)
        return;
    Node *found = nullptr;
    const QStringList values = analyzer->getValues(QStringLiteral("NameOfResults"), false, found);
    if (values.isEmpty())
        return;
    const OutputLocation location =
        OutputLocation::fromResultName(fileInfo->absolutePath(), values.first());
    simName = location.simName;
    resultDir = location.resultDir;
    screenFile = location.screenFile;
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

void EditorTabs::fitResultBox()
{
    if (resultBoxMoved || !outputPanel->isVisible())
        return;
    // The scroll area's own size hint keeps the list as it was first shown.
    const int chrome = resultBox->sizeHint().height() - resultScroll->sizeHint().height();
    const int needed = chrome + resultScroll->widget()->sizeHint().height();
    const int room = outputPanel->height() - outputPanel->handleWidth();
    const int box = qMin(needed, room / 3);
    outputPanel->setSizes({room - box, box});
}
