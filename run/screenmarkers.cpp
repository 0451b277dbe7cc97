#include "run/screenmarkers.h"

#include <QStringList>

namespace {

const QStringList endMarkers = {
    QStringLiteral("input error"),     QStringLiteral("reverting to keyboard"),
    QStringLiteral("stop in routine"), QStringLiteral("Unrecognised input"),
    QStringLiteral("Press any key"),   QStringLiteral("between file and keyboard input"),
    QStringLiteral("Wall clock time"),
};

// Lower-case "message" is ordinary output; only the simulation's own capitals end a run.
const QString messageMarker = QStringLiteral("MESSAGE");

const QString initialisationMarker = QStringLiteral("Beginning of initialisation");

} // namespace

namespace ScreenMarkers {

bool isFinished(const QString &text)
{
    if (text.contains(messageMarker, Qt::CaseSensitive))
        return true;
    for (const QString &marker : endMarkers) {
        if (text.contains(marker, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

int pollInterval(const QString &text)
{
    return text.contains(initialisationMarker, Qt::CaseInsensitive) ? 5000 : 1000;
}

} // namespace ScreenMarkers
