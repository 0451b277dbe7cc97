// The component and phase lists and the matrix data, which 7.0 names instead of counting.
#include "convert/conversion.h"
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

void Conversion::components(Node *visited)
{
    Node *section = closeSection(visited);
    QString text;
    if (values(QStringLiteral("MatrixComponent")).isEmpty()) {
        const int solutes = numberOf(QStringLiteral("NumberOfComponents"));
        for (int i = 0; i <= solutes; ++i)
            text += QStringLiteral("Comp_") + QString::number(i) + QLatin1Char('\n');
    } else {
        text = printed(QStringLiteral("MatrixComponent")) +
               printedChildren(sectionOf(QStringLiteral("Component")));
    }
    section->values.append(text + QStringLiteral("\nend_of_components\n"));
}

// Without database indices the phases get generic names; with too few indices the liquid is
// assumed missing, which the user must check.
void Conversion::phases(Node *visited)
{
    target->expectedPhaseCount = numberOf(QStringLiteral("NumberOfPhases"));
    const int limit = target->expectedPhaseCount;
    QString text;
    if (values(QStringLiteral("MatrixPhase")).isEmpty() &&
        values(QStringLiteral("MatrixName")).isEmpty()) {
        text = QStringLiteral("matrix\n");
        for (int i = 1; i <= limit; ++i)
            text += QStringLiteral("phase_") + QString::number(i) + QLatin1Char('\n');
    } else {
        text = printed(QStringLiteral("MatrixPhase")) + printed(QStringLiteral("MatrixName"));
        target->countValue = 0;
        Node *indices = sectionOf(QStringLiteral("Phase"));
        const int count = indices ? indices->children.size() : 0;
        for (int i = 0; i + 1 < count; i += 2) {
            if (indices->children.at(i)->values.isEmpty())
                continue;
            text += printed(indices->children.at(i)) + printed(indices->children.at(i + 1));
            ++target->countValue;
        }
        if (target->countValue < limit) {
            text.prepend(QStringLiteral("liquid\n"));
            ++target->countValue;
            log(QStringLiteral("Warning: More phases than database indices!\n") +
                QStringLiteral("Check the new phase list. Liquid was inserted.\n"));
            for (; target->countValue < limit; ++target->countValue)
                text += QStringLiteral("\nphase_") + QString::number(target->countValue + 1);
            warnings = true;
        }
    }
    visited->parent->values.append(text + QStringLiteral("\nend_of_phases\n"));
    closeSection(visited);
}

// A missing type means a constant volume; "manual" is the old name of "constant".
QString Conversion::molarVolumeText(const QStringList &types, const QStringList &options,
                                    const QStringList &volumes)
{
    const bool constant = types.isEmpty() || types.first() == QLatin1String("manual");
    QString text = QStringLiteral("\n") + (constant ? QStringLiteral("constant") : types.first());
    if (!types.isEmpty()) {
        for (const QString &option : options)
            text += QLatin1Char(' ') + option;
    }
    if (constant)
        text +=
            QStringLiteral("\n") + volumes.value(0, QStringLiteral("10.0")) + QStringLiteral("\n");
    return text;
}

// The temperature and concentration extras that follow type, options and volume; the
// concentration extras come as one block per component, and every component keeps its own.
QString Conversion::furtherMolarVolumeEntries(Node *section, int from)
{
    QString text;
    for (int i = from; i < from + 3 && i < section->children.size(); ++i)
        text += flattened(section->children.at(i), 2);
    return text;
}

void Conversion::matrixMolarVolume(Node *visited)
{
    Node *section = closeSection(visited);
    Node *type = parameter(QStringLiteral("MatrixMolarVolumeType"));
    if (!type)
        return;
    Node *matrix = type->parent;
    const QStringList volume =
        matrix->children.size() > 2 ? matrix->children.at(2)->values : QStringList();
    QString text = molarVolumeText(
        type->values, matrix->children.size() > 1 ? matrix->children.at(1)->values : QStringList(),
        volume);
    if (volume.isEmpty())
        log(QStringLiteral("Warning: Matrix molar volume inserted!\n") +
            QStringLiteral("Check molar volumes for all phases.\n"));
    section->values.append(text + furtherMolarVolumeEntries(matrix, 3));
}

void Conversion::matrixConductivity(Node *visited)
{
    Node *section = closeSection(visited);
    QString text;
    for (const QString &anchor :
         {QStringLiteral("TDConductivityType"), QStringLiteral("TDSpecHeatCapacityType")}) {
        Node *collection = sectionOf(anchor);
        if (collection && collection->children.size() > 2) {
            for (int i = 0; i < 3; ++i)
                text += printed(collection->children.at(i));
        }
    }
    section->values.append(text);
}
