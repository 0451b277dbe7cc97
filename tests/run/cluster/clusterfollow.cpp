// A second editor process for the cluster tests: opens a driving file whose batch job another
// editor started, and tells what its page showed while following the job to its end.
#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/window/editor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTabWidget>
#include <QTextEdit>
#include <QTextStream>

namespace {

bool waitFor(const std::function<bool()> &done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 80000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

QString screenPageText(const EditorTabs *page)
{
    for (int i = 0; i < page->outputTabs->count(); ++i) {
        if (page->outputTabs->tabText(i).endsWith(QLatin1String(".scr")))
            return qobject_cast<QTextEdit *>(page->outputTabs->widget(i))->toPlainText();
    }
    return QString();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    Q_INIT_RESOURCE(MyRes);
    QTextStream out(stdout);
    if (argc != 3) {
        out << "usage: clusterfollow CONFIGURATION DRIVING_FILE\n";
        return 2;
    }
    Editor editor(QString::fromLocal8Bit(argv[1]));
    editor.loadFile(QString::fromLocal8Bit(argv[2]), false);
    editor.slotChangeTab(editor.tabWidget->count() - 1);
    EditorTabs *page = editor.currentTab;
    if (!page || page->jobId < 0) {
        out << "not followed\n";
        return 1;
    }
    const bool running = waitFor([page] {
        return page->runStatus->text().endsWith(QLatin1String(": running")) || page->jobId < 0;
    });
    out << "followed: " << page->runStatus->text() << '\n';
    const bool ended = waitFor([page] { return page->jobId < 0; });
    out << "ended: " << page->runStatus->text() << '\n' << screenPageText(page) << '\n';
    // The ended job is disposed of later; later is now, before the leak check at exit.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return running && ended ? 0 : 1;
}
