#include "run/checkelement.h"

CheckElement::CheckElement(const QString &resultFile, const QString &label, bool displayable)
    : displayable(displayable), resultFile(resultFile), label(label)
{
}

CheckElement::~CheckElement()
{
    delete checkBox;
}
