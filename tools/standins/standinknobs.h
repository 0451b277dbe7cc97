#ifndef VORPEN_STANDINKNOBS_H
#define VORPEN_STANDINKNOBS_H

#include <QString>

// Behaviour of the simulation stand-in chosen through the environment, so that tests and
// demonstrations can produce every kind of run the editor has to follow.
struct StandInKnobs
{
    int steps = 10;        // ZELMORA_STANDIN_STEPS: number of time steps
    int stepDelayMs = 500; // ZELMORA_STANDIN_DELAY: pause before each time step
    int echoDelayMs = 0;   // ZELMORA_STANDIN_ECHO_DELAY: pause after each echoed input line
    QString hangAt;        // ZELMORA_STANDIN_HANG: version, input, init or run
    QString keyAt;         // ZELMORA_STANDIN_KEY: input, init or run
    QString failWith;      // ZELMORA_STANDIN_FAIL: stop or message, halfway through the steps

    static StandInKnobs fromEnvironment();
};

#endif
