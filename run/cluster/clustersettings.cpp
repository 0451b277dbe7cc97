#include "run/cluster/clustersettings.h"

namespace {

const QString prefix = QStringLiteral("slurm.");

} // namespace

QStringList ClusterSettings::sbatchOptions() const
{
    QStringList options;
    if (!partition.trimmed().isEmpty())
        options << QStringLiteral("--partition=") + partition.trimmed();
    options << QStringLiteral("--nodes=%1").arg(nodes) << QStringLiteral("--ntasks=%1").arg(tasks)
            << QStringLiteral("--cpus-per-task=%1").arg(cpusPerTask);
    if (!timeLimit.trimmed().isEmpty())
        options << QStringLiteral("--time=") + timeLimit.trimmed();
    if (!account.trimmed().isEmpty())
        options << QStringLiteral("--account=") + account.trimmed();
    if (!extraOptions.trimmed().isEmpty())
        options << extraOptions.trimmed();
    return options;
}

bool ClusterSettings::operator==(const ClusterSettings &other) const
{
    return onCluster == other.onCluster && partition == other.partition && nodes == other.nodes &&
           tasks == other.tasks && cpusPerTask == other.cpusPerTask &&
           timeLimit == other.timeLimit && account == other.account &&
           extraOptions == other.extraOptions;
}

QStringList ClusterSettings::configLines() const
{
    if (*this == ClusterSettings())
        return {};
    return {prefix + QStringLiteral("where=") +
                (onCluster ? QStringLiteral("cluster") : QStringLiteral("local")),
            prefix + QStringLiteral("partition=") + partition,
            prefix + QStringLiteral("nodes=%1").arg(nodes),
            prefix + QStringLiteral("tasks=%1").arg(tasks),
            prefix + QStringLiteral("cpusPerTask=%1").arg(cpusPerTask),
            prefix + QStringLiteral("time=") + timeLimit,
            prefix + QStringLiteral("account=") + account,
            prefix + QStringLiteral("options=") + extraOptions};
}

bool ClusterSettings::readConfigLine(const QString &line)
{
    const int equals = line.indexOf(QLatin1Char('='));
    if (!line.startsWith(prefix) || equals < 0)
        return false;
    const QString key = line.mid(prefix.size(), equals - prefix.size());
    const QString value = line.mid(equals + 1);
    const int count = qMax(1, value.toInt());
    if (key == QLatin1String("where"))
        onCluster = value == QLatin1String("cluster");
    else if (key == QLatin1String("partition"))
        partition = value;
    else if (key == QLatin1String("nodes"))
        nodes = count;
    else if (key == QLatin1String("tasks"))
        tasks = count;
    else if (key == QLatin1String("cpusPerTask"))
        cpusPerTask = count;
    else if (key == QLatin1String("time"))
        timeLimit = value;
    else if (key == QLatin1String("account"))
        account = value;
    else if (key == QLatin1String("options"))
        extraOptions = value;
    else
        return false;
    return true;
}
