#ifndef VORPEN_CHECKVERDICT_H
#define VORPEN_CHECKVERDICT_H

#include <QString>
#include <QStringList>

#include <memory>

class SyntaxAnalyzer;
struct Node;

// Outcome of analysing one driving file with one grammar.
struct CheckVerdict
{
    QString version; // "7.0" or "6.4"
    bool valid = false;
    int line = -1; // index of the offending line as the analysis reports it
    bool tooMuchInput = false;
    QString parameter;
    QString type;
    QStringList options;
    std::shared_ptr<SyntaxAnalyzer> analysis; // the tree the verdict was read from
    Node *failed = nullptr;                   // the refusing parameter, in analysis
};

// The syntax definition of a grammar version, "7.0" or "6.4".
QString syntaxFileOf(const QString &version);

// Analyses lines with "7.0", "6.4" or "auto" (7.0, then 6.4; the one that got further wins,
// 7.0 on a tie).
CheckVerdict checkLines(const QStringList &lines, const QString &syntax);

// The verdict in the form compilers print, one or more lines, each ending in "\n".
QString formatVerdict(const QString &fileName, const QStringList &lines,
                      const CheckVerdict &verdict);

#endif
