#include "app/backgroundrelease.h"

#include "syntax/syntaxanalyzer.h"

void releaseInBackground(SyntaxAnalyzer *analyzer)
{
    releaseInBackground(std::shared_ptr<SyntaxAnalyzer>(analyzer));
}
