#ifndef VORPEN_TESTS_ANALYSISRUN_H
#define VORPEN_TESTS_ANALYSISRUN_H

#include "syntax/syntaxanalyzer.h"

#include <QMetaType>
#include <QStringList>

// The verdict of one analysis in a form that tests compare at once.
struct AnalysisRun
{
    bool valid = false;
    int line = -1;
    QString failed; // name of the refusing node, empty when there is none

    bool operator==(const AnalysisRun &other) const
    {
        return valid == other.valid && line == other.line && failed == other.failed;
    }
};

inline AnalysisRun analyzeText(SyntaxAnalyzer &engine, const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    AnalysisRun run;
    Node *failed = nullptr;
    run.valid = engine.analyze(&lines, run.line, failed);
    if (run.valid)
        run.line = -1; // carries no meaning after success
    if (failed)
        run.failed = failed->name();
    return run;
}

inline AnalysisRun valid()
{
    return AnalysisRun{true, -1, QString()};
}

inline AnalysisRun invalid(int line, const QString &failed = QString())
{
    return AnalysisRun{false, line, failed};
}

inline QStringList valuesOf(SyntaxAnalyzer &engine, const QString &name)
{
    Node *found = nullptr;
    return engine.getValues(name, false, found);
}

// Lets a failed comparison print both verdicts.
inline char *toString(const AnalysisRun &run)
{
    return qstrdup(QStringLiteral("valid %1, line %2, failed \"%3\"")
                       .arg(run.valid)
                       .arg(run.line)
                       .arg(run.failed)
                       .toUtf8()
                       .constData());
}

Q_DECLARE_METATYPE(AnalysisRun)

#endif
