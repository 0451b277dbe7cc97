#include "app/text/fonts.h"

QFont monospaceFont(const QString &family)
{
    QFont font(family);
    font.setStyleHint(QFont::Monospace);
    return font;
}
