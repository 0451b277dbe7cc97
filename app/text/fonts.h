#ifndef VORPEN_FONTS_H
#define VORPEN_FONTS_H

#include <QFont>
#include <QString>

// A font of the given family that falls back to a monospace font where the family is missing
// ("Courier New" and "Consolas" seldom exist on Linux).
QFont monospaceFont(const QString &family);

#endif
