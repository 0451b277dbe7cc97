#include "syntax/conditiongroups.h"

const ConditionGroups::Parsed &ConditionGroups::of(const QString &cvalues)
{
    auto found = byAddress.find(cvalues.constData());
    if (found != byAddress.end())
        return found.value();
    Parsed parsed;
    parsed.text = cvalues;
    parsed.groups = cvalues.split(QLatin1Char(','));
    for (const QString &group : qAsConst(parsed.groups)) {
        QStringList alternatives = group.split(QLatin1Char('|'));
        for (QString &alternative : alternatives)
            alternative = alternative.trimmed();
        parsed.alternatives.append(alternatives);
    }
    return byAddress.insert(parsed.text.constData(), parsed).value();
}
