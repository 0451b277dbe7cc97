// Converting the current 6.4 driving file to 7.0 into a new tab, and taking over a run's IN file.
#include "app/window/editor.h"

#include "app/live/analysisworker.h"
#include "app/main.h"
#include "app/page/editortabs.h"
#include "app/page/textfile.h"
#include "app/text/customtextedit.h"
#include "app/window/logdialog.h"
#include "convert/conversionresult.h"
#include "syntax/node.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QTextCursor>

namespace {

QString verificationReport(const ConvertedText &converted)
{
    const Node *stopped = converted.stopped;
    QString report = Editor::tr("Parameter = ") + (stopped ? stopped->name() : QString()) +
                     QStringLiteral("\n") + Editor::tr("Type = ") +
                     (stopped ? stopped->type() : QString()) + QStringLiteral("\n") +
                     Editor::tr("Options =") + QStringLiteral(" \n");
    for (const QString &option : stopped ? stopped->options() : QStringList())
        report += QStringLiteral("   ") + option + QStringLiteral("\n");
    report += QStringLiteral("----------------------------\n");
    if (converted.position >= converted.lines.size()) {
        report += Editor::tr("End of file reached!");
    } else {
        if (converted.position != -1)
            report += Editor::tr("Given input =  ") + converted.lines.at(converted.position) +
                      QStringLiteral("\n");
        report += Editor::tr("Syntax error") + QStringLiteral("\n");
    }
    return report + QStringLiteral("\n") + Editor::tr("Check syntax of your ZELMORA 6.4 file.");
}

void selectLine(CustomTextEdit *editor, int line)
{
    QTextCursor cursor(editor->document());
    cursor.movePosition(QTextCursor::Start);
    if (line > 0)
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::MoveAnchor, line);
    cursor.select(QTextCursor::LineUnderCursor);
    editor->setTextCursor(cursor);
}

} // namespace

void Editor::slotConvert()
{
    if (!currentTab || !currentTab->fileInfo) {
        QMessageBox::warning(this, tr("Error"), tr("Please save the driving file first."),
                             QMessageBox::Ok);
        return;
    }
    currentTab->settleAnalysis();
    QString sourcePath = currentTab->fileInfo->absoluteFilePath();
    saveFile(sourcePath);

    // Earlier logs keep their own conversion only.
    for (LogDialog *earlier : findChildren<LogDialog *>())
        disconnect(this, &Editor::addToLog, earlier, nullptr);
    auto *log = new LogDialog(tr("Conversion Log"), currentTab->textEdit->font(), this);
    connect(this, &Editor::addToLog, log, &LogDialog::addMessage);
    emit addToLog(tr("File:") + QStringLiteral("\n") + sourcePath + QStringLiteral("\n"));
    if (currentTab->syntaxFile == defaultSyntax) {
        emit addToLog(tr("This file is more or less 7.0 conform."));
        log->show();
        return;
    }
    emit addToLog(tr("Generating intermediate file with ZELMORA 7.0 syntax ...\n"));
    ConvertedText converted =
        convertAndVerify(currentTab->analysisToConvert(),
                         [this](const QString &message) { emit addToLog(message); });

    // The page's analysis, and the node it stopped at with it, is replaced by each save.
    const QString report = verificationReport(converted);
    slotNewTab();
    EditorTabs *page = currentTab;
    page->syntaxValid = converted.accepted();
    AnalysisWorker::shared().release(std::move(page->analyzer));
    page->analyzer = std::move(converted.verifier);
    QString path = convertedFilePath(sourcePath);
    emit addToLog(tr("Storing as:") + QStringLiteral("\n") + path + QStringLiteral("\n"));

    if (page->syntaxValid) {
        if (converted.warnings) {
            emit addToLog(QStringLiteral("\n") + tr("Conversion was almost successful!"));
            emit addToLog(tr("Check warnings above."));
        } else {
            emit addToLog(QStringLiteral("\n") + tr("Conversion was successful!") +
                          QStringLiteral("\n"));
        }
        page->syntaxFile = defaultSyntax;
        page->textEdit->setPlainText(page->analyzer->printTree(false));
        saveFile(path);
        updateDiagramMenu();
    } else {
        emit addToLog(QStringLiteral("\n") + tr("Conversion failed!") + QStringLiteral("\n"));
        page->textEdit->setPlainText(converted.text);
        saveFile(path);
        emit addToLog(tr("Verifying 7.0 syntax ...") + QStringLiteral("\n"));
        emit addToLog(report);
        selectLine(page->textEdit, converted.position);
    }
    log->show();
}

void Editor::slotCopyINfile()
{
    if (!currentTab || !currentTab->fileInfo) {
        QMessageBox::warning(this, tr("Error"), tr("Please save the driving file first."),
                             QMessageBox::Ok);
        return;
    }
    const QString path =
        currentTab->resultDir + os_pathsep + currentTab->simName + QStringLiteral(".in");
    QString text;
    if (!readTextFile(path, text)) {
        QMessageBox::critical(this, tr("Error"),
                              tr("Could not open file") + QStringLiteral(" '") + path +
                                  QStringLiteral("'."),
                              QMessageBox::Ok);
        return;
    }
    // The simulation marks an IN file it could not read completely.
    if (text.contains(QLatin1String("__END__"))) {
        QMessageBox::critical(this, tr("Error"),
                              tr("The IN file contains errors!\nCopying denied."));
        return;
    }
    if (QMessageBox::warning(
            this, tr("Warning"), tr("The original driving file will be OVERWRITTEN!"),
            QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Cancel)
        return;
    currentTab->textEdit->setPlainText(text);
    QString own = currentTab->fileInfo->absoluteFilePath();
    saveFile(own);
    updateDiagramMenu();
}
