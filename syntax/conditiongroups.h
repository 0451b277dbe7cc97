#ifndef VORPEN_CONDITIONGROUPS_H
#define VORPEN_CONDITIONGROUPS_H

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// The "cvalues" texts of the conditions, parsed once: copies of a section share their
// definition's texts, so a text is known by the address of its characters.
class ConditionGroups
{
public:
    struct Parsed
    {
        QString text;                      // keeps the characters, and so the address, alive
        QStringList groups;                // as written, between the ","
        QVector<QStringList> alternatives; // of each group, trimmed
    };

    const Parsed &of(const QString &cvalues);

private:
    QHash<const QChar *, Parsed> byAddress;
};

// Calls visit(entry, first) for each entry of a "cname" text, the texts between its ",".
template <typename Visit> void forEachConditionName(const QString &cname, Visit visit)
{
    int start = 0;
    for (;;) {
        const int end = cname.indexOf(QLatin1Char(','), start);
        visit(cname.midRef(start, (end < 0 ? cname.size() : end) - start), start == 0);
        if (end < 0)
            return;
        start = end + 1;
    }
}

#endif
