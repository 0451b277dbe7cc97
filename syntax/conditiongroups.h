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

#endif
