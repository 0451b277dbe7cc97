// Rules that set the values of the visited 7.0 parameter itself.
#include "convert/conversion.h"
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

void Conversion::typeOfCoupling(Node *visited)
{
    for (const QString &coupling : values(QStringLiteral("TypeOfCoupling")))
        visited->values.append(coupling == QLatin1String("temperature_coarse")
                                   ? QStringLiteral("temperature")
                                   : coupling);
}

void Conversion::thermalConditions(Node *visited)
{
    const QStringList field = values(QStringLiteral("1DTemperatureField"));
    if (field.size() == 1 && field.first() != QLatin1String("no_1d_temp")) {
        visited->values.append(QStringLiteral("1d_temp"));
        return;
    }
    const QStringList latentHeat = values(QStringLiteral("LHEnabled"));
    if (latentHeat.size() == 1)
        visited->values.append(latentHeat.first().startsWith(QLatin1String("lat_heat"))
                                   ? QStringLiteral("lat_heat")
                                   : latentHeat.first());
}

void Conversion::temperatureCoordinates(Node *visited)
{
    const QString field = values(QStringLiteral("1DTemperatureField")).value(0);
    if (field == QLatin1String("1d_temp"))
        visited->values.append(QStringLiteral("cartesian"));
    else if (field == QLatin1String("1d_temp_cylinder"))
        visited->values.append(QStringLiteral("cylindrical"));
    else if (field == QLatin1String("1d_temp_polar"))
        visited->values.append(QStringLiteral("polar"));
}

void Conversion::restartType(Node *visited)
{
    if (values(QStringLiteral("RestartStructureOnly")).isEmpty())
        visited->values = values(QStringLiteral("RestartType"));
    else
        visited->values = QStringList{QStringLiteral("new")};
}

void Conversion::structureFromRestartFile(Node *visited)
{
    visited->values.append(values(QStringLiteral("RestartStructureOnly")).isEmpty()
                               ? QStringLiteral("no_restart_file")
                               : QStringLiteral("restart_file"));
}

// 6.4 placed the optional moving frame before or after the temperature block; 7.0 requires
// the switch, so a file without one has none.
void Conversion::movingFrame(Node *visited)
{
    for (const QString &prefix : {QStringLiteral("SO"), QStringLiteral("EO")}) {
        const QStringList frame = values(prefix + QStringLiteral("MovingFrame"));
        if (!frame.isEmpty()) {
            visited->values = frame;
            movingFramePrefix = prefix;
            return;
        }
    }
    visited->values = QStringList{QStringLiteral("no_moving_frame")};
}

void Conversion::movingFrameParameter(Node *visited)
{
    static const QStringList parts = {QStringLiteral("MFCriterion"),
                                      QStringLiteral("MFMatrixPhase"), QStringLiteral("MFDistance"),
                                      QStringLiteral("MFTemperature"), QStringLiteral("MFOutput")};
    for (const QString &part : parts) {
        if (visited->name().contains(part)) {
            visited->values = values(movingFramePrefix + part);
            return;
        }
    }
}

void Conversion::fdCorrection(Node *visited)
{
    const QStringList correction = values(QStringLiteral("FDCorrection"));
    if (correction.isEmpty() || correction.first() == QLatin1String("no_fd_correction"))
        visited->values.append(QStringLiteral("no_fd_correction"));
    else if (correction.first() == QLatin1String("fd_correction"))
        visited->values.append(QStringLiteral("fd_correction"));
}

void Conversion::correction3D(Node *visited)
{
    const QStringList latentHeat = values(QStringLiteral("LHEnabled"));
    if (latentHeat.isEmpty())
        return;
    if (latentHeat.first() == QLatin1String("lat_heat_3d"))
        visited->values.append(QStringLiteral("3d_correction"));
    else if (values(QStringLiteral("CellsY")).value(0) == QLatin1String("1"))
        visited->values.append(QStringLiteral("no_3d_correction"));
}

// "coursening" is the keyword of the 7.0 grammar and of the condition of the factor after it.
void Conversion::coarsening(Node *visited)
{
    visited->values.append(
        values(QStringLiteral("TypeOfCoupling")).contains(QStringLiteral("temperature_coarse"))
            ? QStringLiteral("coursening")
            : QStringLiteral("no_coarsening"));
}

void Conversion::concSolverTimeStepping(Node *visited)
{
    visited->values = QStringList{QStringLiteral("0.95")};
}

// Sets the far-field switch and fills the per-component far-field options and the fixed
// boundary concentrations, which 6.4 kept in other sections. Fixed concentrations are boundary
// conditions of their own: they hold with or without a far field.
void Conversion::farField(Node *visited)
{
    visited->values = values(QStringLiteral("Diff1DFarField"));
    const bool farField =
        !visited->values.isEmpty() && visited->values.first() != QLatin1String("no_1d_far_field");
    const auto grandchildrenText = [this](Node *anchor) {
        QString text;
        for (Node *entry : qAsConst(anchor->parent->parent->children))
            text += printedChildren(entry);
        return text;
    };
    const auto sibling = [visited](const QString &name) -> Node * {
        for (Node *child : qAsConst(visited->parent->children)) {
            if (child->name() == name)
                return child;
        }
        return nullptr;
    };
    Node *setType = parameter(QStringLiteral("ConcFarFieldSetType"));
    Node *options = sibling(QStringLiteral("ConcFarFieldOptions"));
    if (farField && options && setType)
        options->values.append(grandchildrenText(setType));
    Node *fixed = parameter(QStringLiteral("BCFixConc"));
    Node *concentration = sibling(QStringLiteral("BCConcentration"));
    if (concentration && fixed)
        concentration->values.append(grandchildrenText(fixed));
}

// Without a 6.4 choice, 7.0 needs "angle_2d" except in 2D stress runs.
void Conversion::orientationInputType(Node *visited)
{
    const QStringList given = values(QStringLiteral("OrientationInputType"));
    if (!given.isEmpty()) {
        visited->values = given;
        return;
    }
    const auto cells = [this](const QString &name) {
        const QStringList found = values(name);
        return found.isEmpty() ? 1 : found.first().toInt();
    };
    for (const QString &coupling : values(QStringLiteral("TypeOfCoupling"))) {
        if (!coupling.startsWith(QLatin1String("stress")))
            continue;
        const QStringList cellsZ = values(QStringLiteral("CellsZ"));
        if (!cellsZ.isEmpty() && cellsZ.first().toInt() > 1 &&
            cells(QStringLiteral("CellsX")) > 1 && cells(QStringLiteral("CellsY")) > 1)
            visited->values.append(QStringLiteral("angle_2d"));
        return;
    }
    visited->values.append(QStringLiteral("angle_2d"));
}
