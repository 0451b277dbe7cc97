#include "tools/standins/standinknobs.h"

#include <QtGlobal>

namespace {

int numberKnob(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariable(name).toInt(&ok);
    return ok && value >= 0 ? value : fallback;
}

} // namespace

StandInKnobs StandInKnobs::fromEnvironment()
{
    StandInKnobs knobs;
    knobs.steps = numberKnob("ZELMORA_STANDIN_STEPS", knobs.steps);
    knobs.stepDelayMs = numberKnob("ZELMORA_STANDIN_DELAY", knobs.stepDelayMs);
    knobs.echoDelayMs = numberKnob("ZELMORA_STANDIN_ECHO_DELAY", knobs.echoDelayMs);
    knobs.hangAt = qEnvironmentVariable("ZELMORA_STANDIN_HANG").trimmed().toLower();
    knobs.keyAt = qEnvironmentVariable("ZELMORA_STANDIN_KEY").trimmed().toLower();
    knobs.failWith = qEnvironmentVariable("ZELMORA_STANDIN_FAIL").trimmed().toLower();
    return knobs;
}
