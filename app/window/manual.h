#ifndef VORPEN_MANUAL_H
#define VORPEN_MANUAL_H

#include <QString>

// Path of the HTML user manual installed beside the program (the first one that exists of
// <program dir>/docs and <program dir>/../share/doc/vorpen; the former when neither does).
QString manualLocation();

#endif
