#ifndef VORPEN_TESTS_PROCESSSTATE_H
#define VORPEN_TESTS_PROCESSSTATE_H

#include <QFile>
#include <QString>

// The kernel's one-letter state of a process ('T' when stopped), '?' when it is gone.
inline char processState(int pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return '?';
    const QByteArray stat = file.readAll();
    // The command name in parentheses may hold blanks; the state follows its closing one.
    const int close = stat.lastIndexOf(')');
    return close < 0 || close + 2 >= stat.size() ? '?' : stat.at(close + 2);
}

#endif
