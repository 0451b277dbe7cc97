// The nucleation seed types: 7.0 leaves out options that 6.4 gave for every seed position.
#include "convert/conversion.h"
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

void Conversion::seedPositions(Node *visited)
{
    Node *section = closeSection(visited);
    Node *seedTypes = sectionOf(QStringLiteral("SeedPosition"));
    int remaining = numberOf(QStringLiteral("NumberOfSeedTypes"));
    QString result;
    QString seedType;
    QString position;
    const int count = seedTypes ? seedTypes->children.size() : 0;
    for (int i = 0; i < count && remaining > 0; ++i) {
        Node *child = seedTypes->children.at(i);
        if (nameContains(child, "SeedPosition"))
            position = child->values.value(0);
        if (position == QLatin1String("region") && nameContains(child, "SeedRegionBlock")) {
            if (!child->children.isEmpty())
                seedType += printedChildren(child->children.first());
            continue;
        }
        if (nameContains(child, "SeedNucleationModel") && position != QLatin1String("bulk") &&
            position != QLatin1String("region"))
            continue;
        // 7.0 takes the size distribution's parameters as given and has no keyword for them.
        if (nameContains(child, "SeedDensityParameterSet"))
            continue;
        seedType += nameContains(child, "SeedClasses") ? seedClasses(child) : printedEntry(child);
        if (nameContains(child, "NucleationNoiseFactor")) {
            result += seedType;
            seedType.clear();
            --remaining;
        }
    }
    section->values.append(result + printed(QStringLiteral("NucleationSeedNumber")));
}

// Only the classes that the 6.4 count announces are carried over, each ending at its density.
QString Conversion::seedClasses(Node *classes)
{
    Node *first = classes->children.value(0);
    if (!first || first->children.size() != 2)
        return QString();
    Node *count = first->children.at(0);
    QString text = printed(count);
    int remaining = count->values.value(0).toInt();
    QString pending;
    for (Node *entry : qAsConst(first->children.at(1)->children)) {
        if (remaining <= 0)
            break;
        pending += printed(entry);
        if (nameContains(entry, "SeedClassDensity")) {
            text += pending;
            pending.clear();
            --remaining;
        }
    }
    return text;
}
