// The syntax check command and the location of input errors from a run's screen output.
#include "app/window/editor.h"

#include "app/main.h"
#include "app/page/editortabs.h"
#include "app/text/customtextedit.h"
#include "syntax/node.h"
#include "syntax/syntaxfault.h"

#include <QMessageBox>
#include <QTextCursor>

namespace {

// Lines that end the count: the run complained about the line before them.
const QStringList complaintMarkers = {QStringLiteral("unrecognised input"),
                                      QStringLiteral("error"),
                                      QStringLiteral("answer"),
                                      QStringLiteral("trailing"),
                                      QStringLiteral("fehler"),
                                      QStringLiteral("falsche"),
                                      QStringLiteral("antwort"),
                                      QStringLiteral("nicht gelesen"),
                                      QStringLiteral("erreur"),
                                      QStringLiteral("reponse"),
                                      QStringLiteral("non lus"),
                                      QStringLiteral("between file and"),
                                      QStringLiteral("press any")};

const QStringList initialisationMarkers = {QStringLiteral("beginning of initialisation"),
                                           QStringLiteral("debut de l'initialisation"),
                                           QStringLiteral("beginne mit initialisierung")};

const QStringList progressMarkers = {QStringLiteral("pausing"), QStringLiteral("resuming"),
                                     QStringLiteral("remaining")};

bool containsAny(const QString &line, const QStringList &markers)
{
    for (const QString &marker : markers) {
        if (line.contains(marker))
            return true;
    }
    return false;
}

} // namespace

void Editor::slotAnalyze(QString filename)
{
    if (!currentTab)
        return;
    const QStringList lines = currentTab->textLines();
    int line = -1;
    Node *failed = nullptr;
    const bool valid = currentTab->reanalyze(filename, line, failed);
    currentTab->syntaxValid = !failed;
    if (valid) {
        const QString version =
            filename == defaultSyntax ? QStringLiteral(" 7.0 ") : QStringLiteral(" 6.4 ");
        QMessageBox::information(this, tr("Syntax check"),
                                 tr("This is a valid ZELMORA") + version + tr("driving file."));
        return;
    }

    QTextCursor cursor = currentTab->textEdit->textCursor();
    cursor.movePosition(QTextCursor::Start);
    if (line > 0)
        cursor.movePosition(QTextCursor::Down, QTextCursor::MoveAnchor, line);
    cursor.select(QTextCursor::LineUnderCursor);
    currentTab->textEdit->setTextCursor(cursor);

    QMessageBox::warning(this, tr("Syntax Warning"), syntaxFaultText(failed, lines, line));
}

int Editor::getValidParameterCount(QString *screenOutput)
{
    int count = 0;
    const QStringList lines = screenOutput->split(QLatin1Char('\n'));
    for (const QString &rawLine : lines) {
        const QString line = rawLine.trimmed().toLower();
        if (line.isEmpty())
            continue;
        if (line.contains(QStringLiteral("keyboard")))
            return count;
        if (line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char('!')))
            continue;
        if (line.contains(QStringLiteral("input error")))
            return count;
        if (containsAny(line, complaintMarkers))
            return count - 1;
        if (containsAny(line, initialisationMarkers))
            return -1;
        if (containsAny(line, progressMarkers))
            continue;
        ++count;
    }
    return count;
}

int Editor::getPositionOfParameter(QString *text, int n)
{
    int position = 0;
    const QStringList lines = text->split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        const bool dataLine = !trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('#')) &&
                              !trimmed.startsWith(QLatin1Char('!'));
        if (dataLine) {
            if (n == 1)
                return position;
            --n;
        }
        position += line.size() + 1;
    }
    // Past the last line lies the end of the text.
    return n == 1 ? text->size() : -1;
}
