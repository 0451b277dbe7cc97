#include "app/batchconversion.h"

void convertLoadedFile(Editor &, const QString &, const QString &, QTextStream &) {}
