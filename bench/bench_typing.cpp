// Keystroke-to-repaint time in a 10,000-line driving file while the live analysis runs behind.
// Run under a display or QT_QPA_PLATFORM=offscreen; prints the analysis time and the keystroke
// times (median and worst).
#include "app/customtextedit.h"
#include "app/editor.h"
#include "app/editortabs.h"
#include "app/liveanalysis.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {

// The grain growth example with its list of output times stretched to 10,000 lines.
QString longDrivingFile()
{
    QFile file(QStringLiteral(VORPEN_SOURCE_DIR "/examples/grain_growth_2d_dri.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QStringList lines = QTextStream(&file).readAll().split(QLatin1Char('\n'));
    const int end = lines.indexOf(QStringLiteral("end_of_simulation"));
    QStringList times;
    for (int i = 0; lines.size() + times.size() < 10000; ++i)
        times << QString::number(100.0 + i, 'f', 1);
    for (int i = 0; i < times.size(); ++i)
        lines.insert(end + i, times.at(i));
    return lines.join(QLatin1Char('\n'));
}

bool waitForAnalysis(LiveAnalysis *live)
{
    QElapsedTimer clock;
    clock.start();
    while (!live->isUpToDate() && clock.elapsed() < 60000)
        QTest::qWait(5);
    return live->isUpToDate();
}

} // namespace

int main(int argc, char **argv)
{
    Q_INIT_RESOURCE(MyRes);
    QApplication application(argc, argv);
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    Editor editor(home.filePath(QStringLiteral(".vorpenrc7000")));
    editor.show();
    EditorTabs *page = editor.currentTab;
    CustomTextEdit *edit = page->textEdit;

    edit->setPlainText(longDrivingFile());
    QElapsedTimer analysis;
    analysis.start();
    if (!waitForAnalysis(page->liveAnalysis))
        return 1;
    std::printf("lines %d, first live analysis done after %lld ms (%s)\n",
                edit->document()->blockCount(), analysis.elapsed(),
                qPrintable(page->liveAnalysis->verdict()));

    QTextCursor cursor(edit->document()->findBlockByNumber(5000));
    edit->setTextCursor(cursor);
    QVector<qint64> times;
    for (int i = 0; i < 300; ++i) {
        QElapsedTimer keystroke;
        keystroke.start();
        QTest::keyClick(edit, i % 2 ? Qt::Key_Backspace : Qt::Key_1);
        edit->viewport()->repaint();
        times << keystroke.nsecsElapsed() / 1000;
        // Pauses longer than the debounce start analyses that the next keystrokes overtake.
        QTest::qWait(i % 25 == 0 ? LiveAnalysis::debounceMs + 50 : 30);
    }
    std::sort(times.begin(), times.end());
    std::printf("keystroke to repaint: median %.2f ms, worst %.2f ms over %d keystrokes\n",
                times.at(times.size() / 2) / 1000.0, times.last() / 1000.0, int(times.size()));
    return times.last() < 30000 ? 0 : 2;
}
