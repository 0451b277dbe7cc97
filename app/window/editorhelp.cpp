#include "app/main.h"
#include "app/window/editor.h"
#include "app/window/manual.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <qwt_global.h>

void Editor::slotAbout()
{
    auto *box = new QMessageBox(this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->setWindowIcon(windowIcon());
    box->setIconPixmap(windowIcon().pixmap(64, 64));
    box->setWindowTitle(tr("About ") + appName);
    box->setTextFormat(Qt::RichText);
    box->setText(
        tr("<h2>%1 %2</h2>").arg(appName, appVersion) +
        tr("<p>A driving file editor for the phase-field simulation program ZELMORA.</p>") +
        tr("<p>This software uses multiple software libraries:</p>") +
        QStringLiteral("<ul><li><a href=\"https://www.qt.io/\">Qt %1</a></li>"
                       "<li><a href=\"https://qwt.sourceforge.io/\">Qwt %2</a></li></ul>")
            .arg(QString::fromLatin1(qVersion()), QStringLiteral(QWT_VERSION_STR)));
    box->setTextInteractionFlags(Qt::TextBrowserInteraction);
    box->show();
}

void Editor::slotHelp()
{
    const QString address = manualLocation();
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(address)))
        return;
    QMessageBox::warning(this, tr("No web browser"),
                         tr("Online documentation could not be started in a web browser.") +
                             QStringLiteral("\n") + tr("Please visit: ") + address +
                             QStringLiteral("\n"));
}
