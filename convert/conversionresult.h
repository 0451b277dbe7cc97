#ifndef VORPEN_CONVERSIONRESULT_H
#define VORPEN_CONVERSIONRESULT_H

#include "syntax/syntaxanalyzer.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

struct Node;

// One 6.4 driving file converted to 7.0 text and that text analysed with the 7.0 grammar.
struct ConvertedText
{
    QString text;
    bool warnings = false; // the conversion issued a warning the user must act on
    QStringList lines;
    std::unique_ptr<SyntaxAnalyzer> verifier;
    bool analyzed = false;
    int position = -1;
    Node *stopped = nullptr; // owned by verifier

    bool accepted() const;
};

// Converts the analysed 6.4 tree of source; log receives the conversion's warnings.
ConvertedText convertAndVerify(SyntaxAnalyzer *source,
                               const std::function<void(const QString &)> &log);

// A failed analysis of converted text still counts when it stopped at no parameter or at a
// test option.
bool verificationAccepted(bool analyzed, const Node *stopped);

// Where the converted file of path is stored: "_v7-0" goes before the first "_dri" or ".dri".
QString convertedFilePath(const QString &path);

#endif
