#include "app/window/editor.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QSet>

#include "app/page/editortabs.h"
#include "app/text/customtextedit.h"
#include "plots/anisotropyplots.h"
#include "plots/phasediagrams.h"

namespace {

void clearMenu(QMenu *menu)
{
    const QList<QAction *> actions = menu->actions();
    for (QAction *action : actions) {
        menu->removeAction(action);
        action->deleteLater();
    }
    menu->setEnabled(false);
}

// Components whose diagram window is open; the old diagrams go when control returns.
QSet<QString> retireDiagrams(PhaseDiagrams *diagrams)
{
    QSet<QString> open;
    if (!diagrams)
        return open;
    for (const PhaseData *data : diagrams->phaseData()) {
        if (data->plot)
            open.insert(data->componentName);
    }
    diagrams->deleteLater();
    return open;
}

QSet<QString> retireAnisotropy(AnisotropyPlots *plots)
{
    QSet<QString> open;
    if (!plots)
        return open;
    for (const AnisotropyData *data : qAsConst(plots->records)) {
        if (data->windowOpen)
            open.insert(data->title);
    }
    plots->deleteLater();
    return open;
}

void fillPhaseDiagramMenu(QMenu *menu, PhaseDiagrams *diagrams, const QSet<QString> &open)
{
    QStringList components;
    for (const PhaseData *data : diagrams->phaseData()) {
        if (data->diagramType == QLatin1String("invalid") ||
            data->diagramType == QLatin1String("database") ||
            components.contains(data->componentName))
            continue;
        components.append(data->componentName);
        auto *action = new QAction(QObject::tr("Component %1").arg(data->componentName), menu);
        QObject::connect(action, &QAction::triggered, diagrams, &PhaseDiagrams::slotPlot);
        menu->addAction(action);
    }
    if (components.isEmpty())
        return;
    menu->setEnabled(true);
    const QList<QAction *> actions = menu->actions();
    for (int k = 0; k < components.size(); ++k) {
        if (open.contains(components[k]))
            emit actions[k]->triggered(true);
    }
}

void fillAnisotropyMenu(QMenu *menu, AnisotropyPlots *plots, const QSet<QString> &open)
{
    for (const AnisotropyData *data : qAsConst(plots->records)) {
        if (data->title.trimmed().isEmpty())
            continue;
        auto *action = new QAction(data->title, menu);
        QObject::connect(action, &QAction::triggered, plots, &AnisotropyPlots::createCurves);
        menu->addAction(action);
    }
    if (menu->actions().isEmpty())
        return;
    menu->setEnabled(true);
    const QList<QAction *> actions = menu->actions();
    for (QAction *action : actions) {
        if (open.contains(action->text()))
            emit action->triggered(true);
    }
}

} // namespace

void Editor::updateDiagramMenu()
{
    clearMenu(phaseDiagramMenu);
    clearMenu(anisotropyMenu);
    EditorTabs *page = currentTab;
    // A load still analysing fills the menus when it ends.
    if (!page || !page->fileInfo || page->analysisPending())
        return;

    const QSet<QString> openComponents = retireDiagrams(page->getPhaseDiagrams());
    auto *diagrams = new PhaseDiagrams(page->simName, nullptr);
    page->setPhaseDiagrams(diagrams);
    const bool version64 = page->syntaxFile.contains(QLatin1String("6-4"));
    const QString text = page->textEdit->toPlainText();
    if (version64) {
        diagrams->getPhaseDataFromDrivingFile(text);
    } else {
        // The readers take what the analysis got to, valid or not.
        diagrams->getPhaseDataFromTree7(page->currentAnalysis());
    }
    fillPhaseDiagramMenu(phaseDiagramMenu, diagrams, openComponents);

    const QSet<QString> openAniso = retireAnisotropy(page->getAnisotropyPlots());
    auto *plots = new AnisotropyPlots(page->fileInfo->baseName(), nullptr);
    page->setAnisotropyPlots(plots);
    const bool ok = version64 ? plots->polarPlotData(text)
                              : plots->getAnisoDataFromTree7(page->currentAnalysis());
    if (ok)
        fillAnisotropyMenu(anisotropyMenu, plots, openAniso);
}
