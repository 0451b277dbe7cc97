#ifndef VORPEN_CONVERSION_H
#define VORPEN_CONVERSION_H

#include <QString>
#include <QStringList>
#include <QVector>

#include "syntax/node.h"

class SyntaxAnalyzer;

// Names of 6.4 entries carry the suffixes of their copies, so rules test parts of them.
inline bool nameContains(const Node *node, const char *part)
{
    return node->nameContains(QLatin1String(part));
}

// Fills a 7.0 tree from the analysed 6.4 tree of a driving file: the 7.0 grammar drives the
// walk, and one rule per parameter name decides the values taken from the 6.4 tree. Sections
// that changed little are carried over as printed 6.4 text put on the 7.0 section node.
class Conversion
{
public:
    Conversion(SyntaxAnalyzer *target, SyntaxAnalyzer *source);
    // True when a warning was issued that the user must act on.
    bool run();

private:
    using Rule = void (Conversion::*)(Node *);
    struct NamedRule
    {
        QString name;
        bool contains;
        Rule rule;
    };
    static const QVector<NamedRule> &rules();
    Rule ruleFor(const QString &name) const;

    // Look-ups in the 6.4 tree.
    QStringList values(const QString &name);
    Node *parameter(const QString &name);
    Node *sectionOf(const QString &name);
    int numberOf(const QString &name);
    bool concentrationCoupling();

    // Printing 6.4 nodes.
    QString printed(Node *node);
    QString printed(const QString &name);
    QString printedChildren(Node *section);
    QString flattened(Node *node, int depth);
    QString printedEntry(Node *entry);

    // Edits of the 7.0 walk and tree.
    Node *closeSection(Node *visited);
    void log(const QString &message);

    // General rules (conversionvalues.cpp, conversionsections.cpp, conversionseeds.cpp).
    void defaultRule(Node *visited);
    void typeOfCoupling(Node *visited);
    void thermalConditions(Node *visited);
    void temperatureCoordinates(Node *visited);
    void restartType(Node *visited);
    void structureFromRestartFile(Node *visited);
    void movingFrame(Node *visited);
    void movingFrameParameter(Node *visited);
    void fdCorrection(Node *visited);
    void correction3D(Node *visited);
    void coarsening(Node *visited);
    void concSolverTimeStepping(Node *visited);
    void farField(Node *visited);
    void orientationInputType(Node *visited);

    void flowViscosity(Node *visited);
    void grainGeometry(Node *visited);
    void fileProperties(Node *visited);
    void seedGeometry(Node *visited);
    void outputOption(Node *visited);
    void outputTimes(Node *visited);
    void pseudo3D(Node *visited);
    void stoichiometry(Node *visited);
    void temperature1DOptions(Node *visited);
    void flowVectors(Node *visited);
    void seedPositions(Node *visited);
    QString seedClasses(Node *classes);

    // Components and phases (conversionphases.cpp, conversionphasedata.cpp).
    void components(Node *visited);
    void phases(Node *visited);
    void matrixMolarVolume(Node *visited);
    void matrixConductivity(Node *visited);
    void phaseData(Node *visited);
    QString molarVolumeText(const QStringList &types, const QStringList &options,
                            const QStringList &volumes);
    QString furtherMolarVolumeEntries(Node *section, int from);
    QString ownPhaseData(Node *entry);
    QString updateIntervals();

    // Interactions, diffusion and concentrations (conversioninteractions.cpp,
    // conversiondiffusion.cpp, conversionconcentrations.cpp).
    void interactions(Node *visited);
    QString phaseDiagramData(Node *diagrams, int &diagramIndex, Node *latentHeat,
                             int &latentHeatIndex);
    QString diffusionText();
    void diffusionData(Node *visited);
    void initialConcentrations(Node *visited);

    SyntaxAnalyzer *target;
    SyntaxAnalyzer *source;
    bool warnings = false;
    QString movingFramePrefix;
};

#endif
