#include "run/cluster/jobscript.h"

namespace {

// Safe for the shell whatever the path holds.
QString shellQuoted(const QString &word)
{
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// sbatch reads double-quoted values of its script lines as one word.
QString sbatchValue(const QString &value)
{
    return value.contains(QLatin1Char(' ')) ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

} // namespace

QString JobScript::pathFor(const QString &resultDir, const QString &simName)
{
    // Not named like a result, so that the result list leaves it out.
    return resultDir + QLatin1Char('/') + simName + QStringLiteral(".slurm.sh");
}

QString JobScript::exitPathFor(const QString &resultDir, const QString &simName)
{
    return resultDir + QLatin1Char('/') + simName + QStringLiteral(".exit.txt");
}

QString JobScript::text() const
{
    QStringList lines;
    lines << QStringLiteral("#!/bin/sh")
          << QStringLiteral("# ZELMORA run of %1, written by Vorpen.").arg(arguments.value(0))
          << QStringLiteral("# Submit it again by hand with: sbatch ") +
                 shellQuoted(pathFor(resultDir, simName))
          << QStringLiteral("#SBATCH --job-name=") + sbatchValue(simName)
          << QStringLiteral("#SBATCH --output=") + sbatchValue(screenFile)
          << QStringLiteral("#SBATCH --chdir=") + sbatchValue(workDir);
    for (const QString &option : settings.sbatchOptions())
        lines << QStringLiteral("#SBATCH ") + option;

    QStringList command;
    if (settings.tasks > 1)
        command << QStringLiteral("srun");
    command << shellQuoted(executable);
    for (const QString &argument : arguments)
        command << shellQuoted(argument);
    lines << QString()
          << QStringLiteral("# A batch job has no keyboard: a wait for a key reads the end of "
                            "the input instead.")
          << command.join(QLatin1Char(' ')) + QStringLiteral(" </dev/null")
          << QStringLiteral("status=$?")
          << QStringLiteral("echo \"$status\" > ") + shellQuoted(exitPathFor(resultDir, simName))
          << QStringLiteral("exit \"$status\"");
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
