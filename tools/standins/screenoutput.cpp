#include "tools/standins/screenoutput.h"

#include <QThread>

#include <cstdio>
#include <unistd.h>

namespace ScreenOutput {

void line(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void pauseMs(int milliseconds)
{
    if (milliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void hang()
{
    for (;;)
        ::pause();
}

void waitForKeyboard(const QString &prompt)
{
    line(prompt);
    int c = std::getchar();
    while (c != EOF && c != '\n')
        c = std::getchar();
}

} // namespace ScreenOutput
