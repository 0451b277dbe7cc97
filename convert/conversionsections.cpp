// Rules that carry a whole 6.4 section over as printed text on the visited 7.0 section.
#include "convert/conversion.h"
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

void Conversion::flowViscosity(Node *visited)
{
    Node *section = closeSection(visited);
    Node *anchor = sectionOf(QStringLiteral("FlowViscosity"));
    if (!anchor)
        return;
    QString text;
    for (Node *child : qAsConst(anchor->children)) {
        if (!child->name().contains(QLatin1String("FlowDensityChange"))) {
            text += printed(child);
        } else if (!child->children.isEmpty()) {
            text += printedChildren(child->children.first());
            text += printed(child->children.last());
        }
    }
    section->values.append(text);
}

namespace {

// The counted block of a 6.4 input section: the entry at index of the anchor's section.
Node *block(Node *anchorSection, int index)
{
    return anchorSection ? anchorSection->children.value(index) : nullptr;
}

} // namespace

void Conversion::grainGeometry(Node *visited)
{
    Node *section = closeSection(visited);
    QString text;
    Node *grains = block(sectionOf(QStringLiteral("NumberOfGrains")), 1);
    if (grains && numberOf(QStringLiteral("NumberOfGrains")) > 0) {
        for (Node *child : qAsConst(grains->children))
            text += flattened(child, 2);
    }
    section->values.append(text);
}

void Conversion::seedGeometry(Node *visited)
{
    Node *section = closeSection(visited);
    QString text;
    Node *seedTypes = block(sectionOf(QStringLiteral("NumberOfGISeedTypes")), 3);
    if (seedTypes && numberOf(QStringLiteral("NumberOfGISeedTypes")) > 0) {
        for (Node *child : qAsConst(seedTypes->children))
            text += flattened(child, 2);
    }
    section->values.append(text);
}

void Conversion::fileProperties(Node *visited)
{
    Node *section = closeSection(visited);
    if (Node *anchor = sectionOf(QStringLiteral("GIFilePropVector")))
        section->values.append(printedChildren(anchor));
}

void Conversion::outputOption(Node *visited)
{
    Node *section = closeSection(visited);
    section->values.append(printedChildren(sectionOf(QStringLiteral("OutputOption"))));
}

void Conversion::outputTimes(Node *visited)
{
    Node *section = closeSection(visited);
    if (Node *anchor = sectionOf(QStringLiteral("OutputTimes")))
        section->values.append(printedChildren(anchor));
}

// 6.4 gave the pseudo-3D geometry with the matrix and each phase's latent-heat data.
void Conversion::pseudo3D(Node *visited)
{
    Node *section = closeSection(visited);
    QString text = printed(QStringLiteral("MatrixLHPseudo3DDefinition")) +
                   printed(QStringLiteral("MatrixLHPseudo3DCriticalMatrixFraction"));
    if (Node *phases = sectionOf(QStringLiteral("LHPseudo3DDefinition"))) {
        for (Node *child : qAsConst(phases->children)) {
            if (child->name().contains(QLatin1String("LHPseudo3DDefinition")) ||
                child->name().contains(QLatin1String("LHPseudo3DCriticalMatrixFraction")))
                text += printed(child);
        }
    }
    section->values.append(text);
}

void Conversion::stoichiometry(Node *visited)
{
    Node *section = closeSection(visited);
    Node *anchor = sectionOf(QStringLiteral("StoichioEntry"));
    if (!anchor)
        return;
    QString text;
    for (Node *child : qAsConst(anchor->children))
        text += child->name().contains(QLatin1String("StoichioKeyword")) ? printedChildren(child)
                                                                         : printed(child);
    section->values.append(text);
}

void Conversion::temperature1DOptions(Node *visited)
{
    Node *section = closeSection(visited);
    if (Node *anchor = sectionOf(QStringLiteral("Temp1DValueInputType")))
        section->values.append(printedChildren(anchor));
}

void Conversion::flowVectors(Node *visited)
{
    Node *section = closeSection(visited);
    QString text;
    for (const QString &anchor :
         {QStringLiteral("BCFlowVector"), QStringLiteral("BCFlowPressureVector")})
        text += printedChildren(sectionOf(anchor));
    section->values.append(text);
}
