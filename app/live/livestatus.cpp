#include "app/live/livestatus.h"

#include "app/live/liveanalysis.h"
#include "app/page/editortabs.h"
#include "app/text/customtextedit.h"

#include <QLabel>
#include <QStatusBar>

LiveStatus::LiveStatus(QStatusBar *bar)
    : QObject(bar), parameterLabel(new QLabel), verdictLabel(new QLabel)
{
    parameterLabel->setObjectName(QStringLiteral("parameterAtCursor"));
    verdictLabel->setObjectName(QStringLiteral("liveVerdict"));
    bar->addWidget(parameterLabel, 1);
    bar->addPermanentWidget(verdictLabel);
}

void LiveStatus::follow(EditorTabs *shown)
{
    for (const QMetaObject::Connection &connection : qAsConst(pageConnections))
        disconnect(connection);
    pageConnections.clear();
    page = shown;
    if (page && page->liveAnalysis) {
        pageConnections << connect(page->liveAnalysis, &LiveAnalysis::analysed, this,
                                   &LiveStatus::refresh)
                        << connect(page->textEdit, &QTextEdit::cursorPositionChanged, this,
                                   &LiveStatus::refresh)
                        << connect(page, &QObject::destroyed, this, [this] { page = nullptr; });
    }
    refresh();
}

void LiveStatus::refresh()
{
    if (!page || !page->liveAnalysis) {
        parameterLabel->clear();
        verdictLabel->clear();
        return;
    }
    const int line = page->textEdit->textCursor().blockNumber();
    const QString parameters = page->liveAnalysis->parametersAtLine(line);
    parameterLabel->setText(parameters.isEmpty() ? QString()
                                                 : tr("Line %1: %2").arg(line + 1).arg(parameters));
    verdictLabel->setText(page->liveAnalysis->verdict());
}
