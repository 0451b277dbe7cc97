#include "app/recovery/endingsignals.h"

#include "app/recovery/journalkeeper.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>

#include <csignal>
#include <cstdlib>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};
QPointer<JournalKeeper> watchedKeeper;

// Only what is safe in a signal handler: the GUI thread does the work.
void onEndingSignal(int signal)
{
    const char number = char(signal);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &number, 1);
}

void journalAndEnd()
{
    char number = 0;
    if (::read(signalPipe[0], &number, 1) != 1)
        return;
    if (watchedKeeper)
        watchedKeeper->journalAllNow();
    // Destructors would take the journals away and kill the running simulations.
    ::_exit(128 + number);
}

// A lost display ends the program through exit() on the GUI thread, with the widgets still
// there; after a normal end the application object is gone and every page was settled.
void journalAtExit()
{
    if (QCoreApplication::instance() && watchedKeeper)
        watchedKeeper->journalAllNow();
}

} // namespace

void watchEndingSignals(JournalKeeper *keeper)
{
    std::signal(SIGXFSZ, SIG_IGN);
    watchedKeeper = keeper;
    if (signalPipe[0] < 0) {
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
            return;
        auto *notifier =
            new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
        QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] { journalAndEnd(); });
        std::atexit(journalAtExit);
    }
    struct sigaction action = {};
    action.sa_handler = onEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}
