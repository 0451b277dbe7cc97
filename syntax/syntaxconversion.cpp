#include "syntax/syntaxanalyzer.h"

bool SyntaxAnalyzer::convert(SyntaxAnalyzer *)
{
    return false;
}
