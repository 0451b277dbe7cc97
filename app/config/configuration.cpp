#include "app/config/configuration.h"

#include "app/main.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

const QString separatorLine = QStringLiteral("-----------------------------");

bool isSeparator(const QString &line)
{
    return line.contains(QLatin1String("----"));
}

// Everything after the first "=", or the whole line when there is none.
QString headerValue(const QString &line)
{
    const int equals = line.indexOf(QLatin1Char('='));
    return equals < 0 ? line : line.mid(equals + 1);
}

// The file is the editor's own: always UTF-8, whatever the locale, and never taken for UTF-16 or
// UTF-32 because of bytes that happen to look like a byte order mark.
void useUtf8(QTextStream &stream)
{
    stream.setCodec("UTF-8");
    stream.setAutoDetectUnicode(false);
}

// Paths on lines that follow a separator, trimmed, non-empty and existing, in file order.
// Stops once limit paths are collected (a negative limit collects all).
QStringList readRecentPaths(QTextStream &in, bool afterSeparator, int limit)
{
    QStringList paths;
    bool pathFollows = afterSeparator;
    while (!in.atEnd() && (limit < 0 || paths.size() < limit)) {
        const QString line = in.readLine();
        if (pathFollows) {
            const QString path = line.trimmed();
            if (!path.isEmpty() && QFileInfo::exists(path))
                paths.append(path);
        }
        pathFollows = isSeparator(line);
    }
    return paths;
}

} // namespace

Configuration::Configuration(const QString &fileName, const QString &simulationExecutable,
                             const QString &displayTool, int fontSize, bool executableKnown)
    : fileName(fileName), simulationExecutable(simulationExecutable), displayTool(displayTool),
      fontSize(fontSize), executableKnown(executableKnown)
{
}

Configuration::Configuration(const Configuration &other)
    : fileName(other.fileName), simulationExecutable(other.simulationExecutable),
      displayTool(other.displayTool), fontSize(other.fontSize),
      executableKnown(other.executableKnown), cluster(other.cluster)
{
}

Configuration &Configuration::operator=(const Configuration &other)
{
    fileName = other.fileName;
    simulationExecutable = other.simulationExecutable;
    displayTool = other.displayTool;
    fontSize = other.fontSize;
    executableKnown = other.executableKnown;
    cluster = other.cluster;
    recentExecutables.clear();
    recentFiles.clear();
    return *this;
}

void Configuration::setDefault()
{
    const QString binDirectory = qEnvironmentVariable("ZELMORA_Bin");
    read();
    if (simulationExecutable.isEmpty()) {
        const QString userFile = fileName;
        fileName = binDirectory + os_pathsep + QStringLiteral("default_vorpenrc.zrc");
        read();
        fileName = userFile;
    }
    if (simulationExecutable.isEmpty()) {
        const QString directory = binDirectory.isEmpty() ? QStringLiteral("...") : binDirectory;
        simulationExecutable = directory + os_pathsep + os_zelExec;
        displayTool = directory + os_pathsep + os_dpExec;
        fontSize = 12;
        executableKnown = false;
    }
}

void Configuration::read()
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    useUtf8(in);
    QString line = in.readLine();
    if (!isSeparator(line) && !executableKnown) {
        simulationExecutable = headerValue(line).trimmed();
        executableKnown = !simulationExecutable.isEmpty();
        line = in.readLine();
        if (!isSeparator(line)) {
            displayTool = headerValue(line).trimmed();
            line = in.readLine();
        }
        if (!isSeparator(line)) {
            fontSize = headerValue(line).toInt();
            in.readLine();
        }
        // Trimmed like the entries after it: a blank line ends the list instead of being one.
        line = in.readLine().trimmed();
        if (!isSeparator(line)) {
            while (!line.isEmpty() && !line.contains(QLatin1Char(']')) && !isSeparator(line)) {
                recentExecutables.append(line.trimmed());
                line = in.readLine().trimmed();
            }
        }
        while (!in.atEnd() && !isSeparator(line)) {
            line = in.readLine();
            cluster.readConfigLine(line.trimmed());
        }
    }
    const QStringList collected = readRecentPaths(in, isSeparator(line), maxRecentFiles);
    file.close();

    if (recentFiles.isEmpty()) {
        recentFiles = collected;
        return;
    }
    for (const QString &path : collected) {
        if (recentFiles.size() >= maxRecentFiles)
            break;
        if (!recentFiles.contains(path))
            recentFiles.append(path);
    }
}

void Configuration::write(bool merge)
{
    QFile file(fileName);
    if (merge && file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&file);
        useUtf8(in);
        while (!in.atEnd() && !isSeparator(in.readLine())) {
        }
        for (const QString &path : readRecentPaths(in, true, -1)) {
            if (!recentFiles.contains(path))
                recentFiles.append(path);
        }
        file.close();
    }
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return;
    QTextStream out(&file);
    useUtf8(out);
    out << "zelmora=" << simulationExecutable << '\n';
    out << "dp=" << displayTool << '\n';
    out << "fontsize=" << fontSize << '\n';
    out << "recentZelmora = [" << '\n';
    for (const QString &executable : qAsConst(recentExecutables))
        out << executable << '\n';
    out << "]" << '\n';
    for (const QString &line : cluster.configLines()) {
        // A value that looks like a separator would end the settings early when read.
        if (!isSeparator(line))
            out << line << '\n';
    }
    for (const QString &path : recentFiles.mid(0, maxRecentFiles))
        out << separatorLine << '\n' << path << '\n';
}

bool Configuration::isRecent(const QString &path)
{
    const bool found = recentFiles.removeOne(path);
    recentFiles.prepend(path);
    if (recentFiles.size() > maxRecentFiles)
        recentFiles.removeLast();
    return found;
}

void Configuration::removeRecentFile(const QString &path)
{
    recentFiles.removeOne(path);
}

void Configuration::clearRecentFileList()
{
    recentFiles.clear();
    write(false);
}
