#ifndef VORPEN_FUZZSUPPORT_H
#define VORPEN_FUZZSUPPORT_H

#include <QStringList>

#include <cstddef>
#include <cstdint>

// Starts the application object a fuzz target needs, once per process, registers the resource
// bundle and silences Qt's warnings. The GUI variant uses the offscreen platform unless one is
// chosen already.
void startCoreApplication();
void startGuiApplication();

// The input as the editor would hold it: decoded as UTF-8 and split into lines at "\n".
QString fuzzText(const uint8_t *data, size_t size);
QStringList fuzzLines(const uint8_t *data, size_t size);

#endif
