#ifndef VORPEN_SCREENOUTPUT_H
#define VORPEN_SCREENOUTPUT_H

#include <QString>

// The stand-in's standard output. The editor redirects it into a file that it polls, so every
// line is flushed at once: a buffered line would show up only when the process ends.
namespace ScreenOutput {

void line(const QString &text);
void pauseMs(int milliseconds);
// Blocks until the process is killed; SIGSTOP and SIGCONT keep working.
[[noreturn]] void hang();
// Prints the prompt and blocks until a line or the end of standard input arrives.
void waitForKeyboard(const QString &prompt);

} // namespace ScreenOutput

#endif
