#ifndef VORPEN_TESTS_KEYWORDCHECK_H
#define VORPEN_TESTS_KEYWORDCHECK_H

#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

#include <QStringList>

// Every value that a conversion put into a keyword parameter of the 7.0 tree and that is none of
// its keywords, as "name: value". The analysis would refuse such a value where it is printed, or
// drop it unseen where a condition then skips the parameter.
inline QStringList keywordsOutsideOptions(SyntaxAnalyzer &converted)
{
    QStringList outside;
    converted.reset();
    while (Node *node = converted.getNext()) {
        if (!node->type().contains(QLatin1String("string")) || node->options().isEmpty())
            continue;
        for (const QString &value : qAsConst(node->values)) {
            if (!node->options().contains(value.toLower()))
                outside << node->name() + QStringLiteral(": ") + value;
        }
    }
    return outside;
}

#endif
