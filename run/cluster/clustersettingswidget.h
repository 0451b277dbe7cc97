#ifndef VORPEN_CLUSTERSETTINGSWIDGET_H
#define VORPEN_CLUSTERSETTINGSWIDGET_H

#include "run/cluster/clustersettings.h"

#include <QGroupBox>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// The batch job's requests on the "Run Configuration" page.
class ClusterSettingsWidget : public QGroupBox
{
    Q_OBJECT
public:
    explicit ClusterSettingsWidget(QWidget *parent = nullptr);

    // Shows settings without reporting them as changed.
    void setSettings(const ClusterSettings &settings);
    // The fields' values; onCluster is left false.
    ClusterSettings settings() const;
    // Offers the cluster's partitions, asked of Slurm without waiting for its answer.
    void offerPartitions();

    QComboBox *partitionBox = nullptr;
    QSpinBox *nodesBox = nullptr;
    QSpinBox *tasksBox = nullptr;
    QSpinBox *cpusBox = nullptr;
    QLineEdit *timeEdit = nullptr;
    QLineEdit *accountEdit = nullptr;
    QLineEdit *optionsEdit = nullptr;
    QLabel *slurmLabel = nullptr; // what Slurm said when asked for the partitions

signals:
    void changed();

private:
    void takePartitions(const QStringList &partitions);
};

#endif
