// Live help while typing: the status bar, keyword completion and the jump to the marked error.
#include "app/window/editor.h"

#include "app/live/liveanalysis.h"
#include "app/live/livestatus.h"
#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/text/completion.h"
#include "app/text/customtextedit.h"

#include <QAction>
#include <QStatusBar>
#include <QTextBlock>

void Editor::buildLiveTools()
{
    liveStatus = new LiveStatus(statusBar());
    liveStatus->follow(currentTab);
    // Ctrl+Space already refreshes the results.
    auto *complete = new QAction(tr("Complete Keyword"), this);
    complete->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Space")));
    connect(complete, &QAction::triggered, this, &Editor::slotCompleteKeyword);
    auto *gotoError = new QAction(tr("Go to Syntax Error"), this);
    gotoError->setShortcut(QKeySequence(QStringLiteral("Ctrl+J")));
    connect(gotoError, &QAction::triggered, this, &Editor::slotGotoSyntaxError);
    addAction(complete);
    addAction(gotoError);
}

void Editor::slotCompleteKeyword()
{
    if (!currentTab)
        return;
    currentTab->settleAnalysis();
    showKeywordCompletion(currentTab->textEdit, currentTab->syntaxFile);
}

void Editor::slotGotoSyntaxError()
{
    if (!currentTab)
        return;
    const int line = currentTab->liveAnalysis->markedLine();
    const QTextBlock block = currentTab->textEdit->document()->findBlockByNumber(line);
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    cursor.select(QTextCursor::LineUnderCursor);
    currentTab->textEdit->setTextCursor(cursor);
    currentTab->textEdit->setFocus();
}
