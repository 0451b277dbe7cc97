#include "app/main.h"
#include "app/commandline/batchconversion.h"
#include "app/commandline/commandline.h"
#include "app/recovery/endingsignals.h"
#include "app/recovery/journalkeeper.h"
#include "app/recovery/recoveryoffer.h"
#include "app/window/editor.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>
#include <QTimer>

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(MyRes);
    // Batch conversion runs where there is no display, such as a cluster's login node.
    if (asksForConversion(argc, argv)) {
        QCoreApplication application(argc, argv);
        QTextStream out(stdout);
        const BatchOutcome outcome = convertArguments(application.arguments().mid(1), out);
        return outcome == BatchOutcome::Converted ? 0 : -1;
    }
    QApplication application(argc, argv);
    auto *editor = new Editor(QDir::homePath() + os_pathsep + os_vorpen);
    watchEndingSignals(editor->journalKeeper);
    if (argc > 1) {
        QTextStream out(stdout);
        openArguments(*editor, application.arguments().mid(1), out);
    }
    editor->slotChangeTab(0);
    editor->show();
    // Over the shown window, once the files named on the command line are open.
    QTimer::singleShot(0, editor, [editor] {
        editor->journalKeeper->offersEnabled = true;
        offerRecovery(editor);
    });
    return application.exec();
}
