#include "tools/standins/standinmessages.h"

namespace {

StandInMessages english()
{
    StandInMessages m;
    m.refused = QStringLiteral("Input error in line %1: parameter %2 (%3) does not accept \"%4\"");
    m.endOfFile =
        QStringLiteral("Input error: the driving file ended before parameter %1 (%2) was given");
    m.tooMuchInput = QStringLiteral("Input error in line %1: no parameter is left for \"%2\"");
    m.initialisation = QStringLiteral("Beginning of initialisation");
    return m;
}

StandInMessages german()
{
    StandInMessages m;
    m.refused =
        QStringLiteral("Eingabefehler in Zeile %1: Parameter %2 (%3) nimmt \"%4\" nicht an");
    m.endOfFile = QStringLiteral("Eingabefehler: die Steuerdatei endet vor dem Parameter %1 (%2)");
    m.tooMuchInput = QStringLiteral("Eingabefehler in Zeile %1: kein Parameter mehr fuer \"%2\"");
    m.initialisation = QStringLiteral("Beginne mit Initialisierung");
    m.echoRefusedLine = true;
    return m;
}

StandInMessages french()
{
    StandInMessages m;
    m.refused =
        QStringLiteral("Erreur de lecture ligne %1: le parametre %2 (%3) n'accepte pas \"%4\"");
    m.endOfFile = QStringLiteral(
        "Erreur de lecture: le fichier de pilotage se termine avant le parametre %1 (%2)");
    m.tooMuchInput =
        QStringLiteral("Erreur de lecture ligne %1: aucun parametre ne reste pour \"%2\"");
    m.initialisation = QStringLiteral("Debut de l'initialisation");
    m.echoRefusedLine = true;
    return m;
}

} // namespace

StandInMessages StandInMessages::forLanguage(const QString &languageValue)
{
    const QString language = languageValue.trimmed().toLower();
    if (language.startsWith(QLatin1String("ger")) || language.startsWith(QLatin1String("deu")))
        return german();
    if (language.startsWith(QLatin1String("fr")))
        return french();
    return english();
}
