#include "app/config/configuration.h"
#include "app/page/editortabs.h"
#include "app/window/editor.h"
#include "run/checkelement.h"
#include "run/resultnaming.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

QStringList Editor::getFileList(const QString &resultDir, const QString &simName)
{
    return ResultNaming::list(resultDir, simName);
}

namespace {

CheckElement *findEntry(const EditorTabs *page, const QString &file)
{
    const bool vtk = file.contains(QLatin1String(".vtk"));
    for (CheckElement *element : page->checkElements) {
        if (element->resultFile == file ||
            (vtk && element->resultFile.contains(QLatin1String("..vtk"))))
            return element;
    }
    return nullptr;
}

CheckElement *newEntry(Editor *editor, const EditorTabs *page, const QString &file)
{
    const QString name = ResultNaming::entryName(file);
    auto *element = new CheckElement(name, ResultNaming::entryLabel(name, page->simName),
                                     ResultNaming::isDisplayable(name));
    element->checkBox = new QCheckBox(element->label, editor);
    QObject::connect(element->checkBox, &QCheckBox::stateChanged, editor,
                     &Editor::slotResultStateChanged);
    return element;
}

// Drops the entries whose files vanished, with their output pages and check boxes.
void dropAbsentEntries(EditorTabs *page)
{
    int removedPages = 0;
    QVector<CheckElement *> kept;
    for (CheckElement *element : qAsConst(page->checkElements)) {
        if (element->present) {
            kept.append(element);
            continue;
        }
        if (element->displayable && element->hasPage) {
            const int index = element->pageIndex - removedPages;
            QWidget *view = page->outputTabs->widget(index);
            page->outputTabs->removeTab(index);
            delete view;
            ++removedPages;
        }
        delete element;
    }
    page->checkElements = kept;
}

void placeCheckBox(EditorTabs *page, CheckElement *element, int position)
{
    if (element->inLayout)
        return;
    page->resultLayout->insertWidget(position, element->checkBox);
    element->inLayout = true;
}

// Field results first, then the "Display" button and a line, then the text results.
void placeEntries(Editor *editor, EditorTabs *page)
{
    int position = -1;
    bool fieldResults = false;
    for (CheckElement *element : qAsConst(page->checkElements)) {
        if (element->displayable)
            continue;
        fieldResults = true;
        placeCheckBox(page, element, ++position);
    }
    if (fieldResults) {
        if (!page->displayButton) {
            page->displayButton = new QPushButton(Editor::tr("Display"));
            page->displayButton->setToolTip(
                Editor::tr("Open selected field results in DP_ZELMORA"));
            QObject::connect(page->displayButton, &QPushButton::clicked, editor,
                             &Editor::slotDisplay);
            page->resultLayout->insertWidget(position + 1, page->displayButton);
            page->displaySeparator = new QFrame;
            page->displaySeparator->setFrameShape(QFrame::HLine);
            page->displaySeparator->setFrameShadow(QFrame::Sunken);
            page->resultLayout->insertWidget(position + 2, page->displaySeparator);
        }
        position += 2;
    } else {
        delete page->displayButton;
        delete page->displaySeparator;
        page->displayButton = nullptr;
        page->displaySeparator = nullptr;
    }
    for (CheckElement *element : qAsConst(page->checkElements)) {
        if (element->displayable)
            placeCheckBox(page, element, ++position);
    }
    page->resultLayout->setAlignment(Qt::AlignTop);
}

} // namespace

void Editor::buildResultSelection()
{
    EditorTabs *page = currentTab;
    if (!page)
        return;
    const QStringList files = getFileList(page->resultDir, page->simName);
    page->resultBox->setTitle(tr("Result Files"));
    page->resultBox->setToolTip(page->resultDir + QLatin1Char('/') + page->simName);

    for (CheckElement *element : qAsConst(page->checkElements))
        element->present = false;
    for (int i = 0; i < files.size(); ++i) {
        if (CheckElement *element = findEntry(page, files.at(i))) {
            element->present = true;
            continue;
        }
        page->checkElements.insert(qMin(i, page->checkElements.size()),
                                   newEntry(this, page, files.at(i)));
    }
    if (!page->checkElements.isEmpty()) {
        page->outputPanel->show();
        page->outputShown = true;
        dropAbsentEntries(page);
    }
    placeEntries(this, page);

    if (!page->outputShown)
        return;
    if (page->checkElements.isEmpty()) {
        page->outputShown = false;
    } else {
        slotFontSizeChanged(configuration->fontSize);
        page->outputPanel->show();
        page->fitResultBox();
    }
}

void Editor::slotResultStateChanged(int newState)
{
    auto *box = qobject_cast<QCheckBox *>(sender());
    if (!box || !currentTab)
        return;
    for (CheckElement *element : qAsConst(currentTab->checkElements)) {
        if (element->label != box->text())
            continue;
        element->ticked = newState == Qt::Checked;
        if (element->displayable)
            element->readTime = QDateTime();
        break;
    }
    slotUpdateOutput();
}

void Editor::slotDisplay()
{
    if (!currentTab)
        return;
    const QString tool = currentTab->configuration.displayTool;
    if (tool.isEmpty())
        return;
    if (!QFile::exists(tool)) {
        QMessageBox::warning(
            this, tr("Missing tool"),
            tr("The display tool DP_ZELMORA does not exist.\n Please check the configuration."),
            QMessageBox::Ok);
        return;
    }
    configuration->displayTool = tool;
    QStringList arguments;
    for (const CheckElement *element : qAsConst(currentTab->checkElements)) {
        if (!element->ticked || element->displayable)
            continue;
        const QString file = ResultNaming::displayFile(currentTab->resultDir, element->resultFile);
        if (!file.isEmpty())
            arguments << currentTab->resultDir + QLatin1Char('/') + file;
    }
    QProcess::startDetached(tool, arguments);
}
