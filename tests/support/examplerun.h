#ifndef VORPEN_TESTS_EXAMPLERUN_H
#define VORPEN_TESTS_EXAMPLERUN_H

#include "app/main.h"
#include "syntax/syntaxanalyzer.h"

#include <QDir>
#include <QFile>
#include <QString>

inline QString readWholeFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The grain growth example written into folder as run_dri.txt, with its results going to
// resultName; a faulty copy gives "twenty" cells in x. Empty when the example has changed shape.
inline QString writeExampleRun(const QString &folder, const QString &resultName, bool faulty)
{
    QStringList lines =
        readWholeFile(QStringLiteral(VORPEN_SOURCE_DIR "/examples/grain_growth_2d_dri.txt"))
            .split(QLatin1Char('\n'));
    SyntaxAnalyzer analyzer(defaultSyntax);
    int failedLine = 0;
    Node *failed = nullptr;
    analyzer.analyze(&lines, failedLine, failed);
    Node *found = nullptr;
    const QString name = analyzer.getValues(QStringLiteral("NameOfResults"), false, found).value(0);
    const QString cells = analyzer.getValues(QStringLiteral("CellsX"), false, found).value(0);
    int index = lines.indexOf(name);
    if (index < 0)
        return QString();
    lines[index] = resultName;
    if (faulty) {
        index = lines.indexOf(cells, index);
        if (index < 0)
            return QString();
        lines[index] = QStringLiteral("twenty");
    }
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/run_dri.txt");
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(lines.join(QLatin1Char('\n')).toUtf8());
    return path;
}

#endif
