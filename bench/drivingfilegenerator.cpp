#include "bench/drivingfilegenerator.h"

#include <QStringList>

namespace {

using Lines = QStringList;

void heading(Lines &out, const QString &title, QChar underline = QLatin1Char('='))
{
    out << QString() << QStringLiteral("# ") + title
        << QStringLiteral("# ") + QString(title.size(), underline);
}

QString number(double value)
{
    return QString::number(value, 'g', 8);
}

QString phaseName(int phase)
{
    return phase == 0 ? QStringLiteral("liquid") : QStringLiteral("solid%1").arg(phase);
}

void simulationHead(Lines &out)
{
    heading(out, QStringLiteral("Language"));
    out << QStringLiteral("english");
}

void simulationName(Lines &out)
{
    heading(out, QStringLiteral("SimulationName"));
    out << QStringLiteral("Results/Generated") << QStringLiteral("overwrite vtk")
        << QStringLiteral("binary_zip");
}

void restart(Lines &out)
{
    heading(out, QStringLiteral("Restart"));
    out << QStringLiteral("new");
}

void geometry(Lines &out)
{
    heading(out, QStringLiteral("Geometry"));
    out << QStringLiteral("# Number of cells in x, y and z direction, spacing [micrometre]")
        << QStringLiteral("200") << QStringLiteral("1") << QStringLiteral("200")
        << QStringLiteral("1.0");
}

void outputTimes(Lines &out, int count)
{
    heading(out, QStringLiteral("Time"));
    out << QStringLiteral("# Output times [s]");
    for (int k = 1; k <= count; ++k)
        out << number(0.5 * k);
    out << QStringLiteral("end_of_simulation");
}

void outputs(Lines &out, bool withFractions)
{
    heading(out, QStringLiteral("Output"));
    out << QStringLiteral("terse") << QStringLiteral("phases") << QStringLiteral("grain_ids")
        << QStringLiteral("grain_table");
    if (withFractions)
        out << QStringLiteral("fraction_table");
    out << QStringLiteral("end_of_outputs");
}

void solidPhaseData(Lines &out, int phases)
{
    for (int phase = 1; phase < phases; ++phase) {
        heading(out, QStringLiteral("Data of phase %1").arg(phase), QLatin1Char('-'));
        out << QStringLiteral("no_recrystallisation") << QStringLiteral("isotropic");
    }
}

// One grain: a round seed somewhere in the domain, of phase 1.
void grains(Lines &out, int count)
{
    out << QStringLiteral("deterministic") << QString::number(count);
    for (int k = 0; k < count; ++k) {
        out << QStringLiteral("# Grain %1").arg(k + 1) << QStringLiteral("round")
            << number(5.0 + (k * 37) % 190) + QLatin1Char(' ') + number(5.0 + (k * 53) % 190)
            << number(1.0 + (k % 4) * 0.5) << QStringLiteral("no_voronoi") << QStringLiteral("1")
            << number((k * 7) % 90);
    }
}

// Alpha seeds in the bulk, as the first seed type of the nucleation example.
void seedTypes(Lines &out, int count)
{
    if (count == 0) {
        out << QStringLiteral("no_nucleation");
        return;
    }
    out << QStringLiteral("nucleation verbose output") << QStringLiteral("# Number of seed types")
        << QString::number(count);
    for (int k = 0; k < count; ++k) {
        out << QStringLiteral("# Seed type %1").arg(k + 1) << QStringLiteral("bulk")
            << QStringLiteral("1") << QStringLiteral("no_unresolved_size")
            << QStringLiteral("new_grain") << QStringLiteral("0")
            << QStringLiteral("seed_undercooling") << number(5.0 + k % 10) << QStringLiteral("0.5")
            << QStringLiteral("grow") << QStringLiteral("undercooling") << QStringLiteral("random")
            << QStringLiteral("interval 0.1") << QStringLiteral("nucleation_noise 0.05");
    }
}

// The interaction data after the enabling line: a melt/solid interface or a grain boundary.
void interactionData(Lines &out, bool boundary)
{
    out << QStringLiteral("phase_interaction")
        << (boundary ? QStringLiteral("grain_boundary") : QStringLiteral("standard"))
        << QStringLiteral("constant")
        << (boundary ? QStringLiteral("1.5e-5") : QStringLiteral("1.0e-5"))
        << QStringLiteral("constant")
        << (boundary ? QStringLiteral("1.0e-5") : QStringLiteral("1.0e-3"))
        << QStringLiteral("no_pinning") << QStringLiteral("no_solute_drag")
        << QStringLiteral("no_misorientation") << QStringLiteral("isotropic");
}

double meltingTemperature(int one, int two)
{
    return 930.0 + one + 0.5 * two;
}

// --- 7.0 ---------------------------------------------------------------------------------

void phases70(Lines &out, int phases)
{
    heading(out, QStringLiteral("Phases"));
    for (int phase = 0; phase < phases; ++phase)
        out << phaseName(phase);
    out << QStringLiteral("end_of_phases");
    heading(out, QStringLiteral("Orientation"), QLatin1Char('-'));
    out << QStringLiteral("angle_2d");
    heading(out, QStringLiteral("PhaseData"));
    solidPhaseData(out, phases);
}

void interactions70(Lines &out, int phases)
{
    heading(out, QStringLiteral("PhaseInteractions"));
    for (int one = 0; one < phases; ++one) {
        for (int two = qMax(one, 1); two < phases; ++two) {
            out << QStringLiteral("# Interaction %1 / %2").arg(one).arg(two);
            Lines data;
            interactionData(data, one == two);
            data.first() = QStringLiteral("%1 %2 ").arg(one).arg(two) + data.first();
            out << data;
            if (one != two)
                out << number(meltingTemperature(one, two)) << QStringLiteral("1.0");
        }
    }
}

QString version70(const DrivingFileSize &size)
{
    Lines out;
    out << QStringLiteral("# ZELMORA 7.0 driving file: generated, %1 grains, %2 output times, "
                          "%3 seed types, %4 phases")
               .arg(size.grains)
               .arg(size.outputTimes)
               .arg(size.seedTypes)
               .arg(size.phases);
    simulationHead(out);
    simulationName(out);
    restart(out);
    geometry(out);
    heading(out, QStringLiteral("ModelSpecification"));
    out << QStringLiteral("phase");
    heading(out, QStringLiteral("Boundary Conditions"));
    out << QStringLiteral("isolation");
    heading(out, QStringLiteral("Database"));
    out << QStringLiteral("no_database");
    phases70(out, size.phases);
    interactions70(out, size.phases);
    heading(out, QStringLiteral("Grain Input"));
    grains(out, size.grains);
    out << QString() << QStringLiteral("no_restart_file");
    heading(out, QStringLiteral("Process Conditions"));
    out << QStringLiteral("linear") << QStringLiteral("0") << QStringLiteral("935.0")
        << QStringLiteral("0.0") << QStringLiteral("-2.0") << QStringLiteral("no_moving_frame");
    heading(out, QStringLiteral("Nucleation"));
    seedTypes(out, size.seedTypes);
    if (size.seedTypes > 0)
        out << QStringLiteral("500") << QStringLiteral("10");
    outputTimes(out, size.outputTimes);
    outputs(out, true);
    heading(out, QStringLiteral("Phase-Field Solver"));
    out << QStringLiteral("automatic") << QStringLiteral("no_adjust_profile")
        << QStringLiteral("double_obstacle") << QStringLiteral("no_fd_correction")
        << QStringLiteral("1.0e-4") << QStringLiteral("1.0e-3") << QStringLiteral("4.0")
        << QStringLiteral("2.0") << QStringLiteral("2.0");
    heading(out, QStringLiteral("Threads"));
    out << QStringLiteral("4");
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// --- 6.4 ---------------------------------------------------------------------------------

void interactions64(Lines &out, int phases)
{
    heading(out, QStringLiteral("Phase interaction"));
    for (int one = 0; one < phases; ++one) {
        for (int two = qMax(one, 1); two < phases; ++two) {
            heading(out, QStringLiteral("Data for phase interaction %1 / %2:").arg(one).arg(two),
                    QLatin1Char('-'));
            interactionData(out, one == two);
        }
    }
}

void phaseDiagram64(Lines &out, int phases)
{
    heading(out, QStringLiteral("Phase diagram without concentrations"));
    for (int one = 0; one < phases; ++one) {
        for (int two = one + 1; two < phases; ++two) {
            out << QStringLiteral("# Interaction %1 / %2").arg(one).arg(two)
                << number(meltingTemperature(one, two)) << QStringLiteral("1.0");
        }
    }
}

QString version64(const DrivingFileSize &size)
{
    Lines out;
    out << QStringLiteral("# ZELMORA 6.4 driving file: generated, %1 grains, %2 output times, "
                          "%3 seed types, %4 phases")
               .arg(size.grains)
               .arg(size.outputTimes)
               .arg(size.seedTypes)
               .arg(size.phases);
    simulationHead(out);
    geometry(out);
    heading(out, QStringLiteral("Coupling"));
    out << QStringLiteral("phase") << QStringLiteral("double_obstacle")
        << QStringLiteral("no_fd_correction") << QStringLiteral("2.0") << QStringLiteral("2.0");
    restart(out);
    simulationName(out);
    outputs(out, false);
    outputTimes(out, size.outputTimes);
    heading(out, QStringLiteral("Phase-field time stepping"));
    out << QStringLiteral("automatic") << QStringLiteral("no_adjust_profile");
    heading(out, QStringLiteral("Phase data"));
    out << QStringLiteral("# Number of distinct solid phases") << QString::number(size.phases - 1);
    solidPhaseData(out, size.phases);
    heading(out, QStringLiteral("Orientation"));
    out << QStringLiteral("angle_2d");
    heading(out, QStringLiteral("Grain input"));
    grains(out, size.grains);
    heading(out, QStringLiteral("Nucleation"));
    seedTypes(out, size.seedTypes);
    if (size.seedTypes > 0) {
        out << QStringLiteral("# Number of seed positions of the noisy types and simultaneous "
                              "nucleations")
            << QStringLiteral("500") << QStringLiteral("10");
    }
    interactions64(out, size.phases);
    heading(out, QStringLiteral("Database"));
    out << QStringLiteral("no_database");
    phaseDiagram64(out, size.phases);
    heading(out, QStringLiteral("Boundary conditions"));
    out << QStringLiteral("linear") << QStringLiteral("0") << QStringLiteral("935.0")
        << QStringLiteral("0.0") << QStringLiteral("-2.0") << QStringLiteral("isolation")
        << QStringLiteral("no_unit_cell");
    heading(out, QStringLiteral("Numerical parameters"));
    out << QStringLiteral("1.0e-4") << QStringLiteral("1.0e-3") << QStringLiteral("4.0");
    heading(out, QStringLiteral("Threads"));
    out << QStringLiteral("4");
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace

QString generateDrivingFile(const QString &version, const DrivingFileSize &size)
{
    DrivingFileSize bounded = size;
    bounded.grains = qMax(0, size.grains);
    bounded.outputTimes = qMax(1, size.outputTimes);
    bounded.seedTypes = qMax(0, size.seedTypes);
    bounded.phases = qMax(2, size.phases);
    return version == QLatin1String("6.4") ? version64(bounded) : version70(bounded);
}
