#ifndef VORPEN_SCREENMARKERS_H
#define VORPEN_SCREENMARKERS_H

#include <QString>

// Texts in a simulation's screen output that the editor reacts to.
namespace ScreenMarkers {

// True when the output shows that the run has ended or is stuck waiting for the keyboard.
bool isFinished(const QString &text);

// Poll period in ms: slower once the simulation has begun its initialisation.
int pollInterval(const QString &text);

} // namespace ScreenMarkers

#endif
