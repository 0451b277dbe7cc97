#include "syntax/syntaxanalyzer.h"

QString SyntaxAnalyzer::printTree(bool)
{
    return QString();
}

QString SyntaxAnalyzer::printNode(Node *)
{
    return QString();
}
