#include "run/cluster/clustersettingswidget.h"

#include "run/cluster/slurmcommand.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

QSpinBox *countBox()
{
    auto *box = new QSpinBox;
    box->setRange(1, 1000000);
    return box;
}

} // namespace

ClusterSettingsWidget::ClusterSettingsWidget(QWidget *parent)
    : QGroupBox(tr("Slurm cluster"), parent)
{
    partitionBox = new QComboBox;
    partitionBox->setEditable(true);
    partitionBox->lineEdit()->setPlaceholderText(tr("the cluster's default"));
    nodesBox = countBox();
    tasksBox = countBox();
    cpusBox = countBox();
    timeEdit = new QLineEdit;
    timeEdit->setPlaceholderText(tr("the partition's default, e.g. 2-00:00:00"));
    accountEdit = new QLineEdit;
    accountEdit->setPlaceholderText(tr("optional"));
    optionsEdit = new QLineEdit;
    optionsEdit->setPlaceholderText(tr("e.g. --mem=8G --qos=long"));
    slurmLabel = new QLabel;
    slurmLabel->setWordWrap(true);

    auto *form = new QFormLayout(this);
    form->addRow(tr("Partition"), partitionBox);
    form->addRow(tr("Nodes"), nodesBox);
    form->addRow(tr("Tasks (MPI processes)"), tasksBox);
    form->addRow(tr("CPUs per task"), cpusBox);
    form->addRow(tr("Time limit"), timeEdit);
    form->addRow(tr("Account"), accountEdit);
    form->addRow(tr("Further sbatch options"), optionsEdit);
    form->addRow(slurmLabel);

    connect(partitionBox, &QComboBox::currentTextChanged, this, &ClusterSettingsWidget::changed);
    for (QSpinBox *box : {nodesBox, tasksBox, cpusBox})
        connect(box, QOverload<int>::of(&QSpinBox::valueChanged), this,
                &ClusterSettingsWidget::changed);
    for (QLineEdit *edit : {timeEdit, accountEdit, optionsEdit})
        connect(edit, &QLineEdit::textChanged, this, &ClusterSettingsWidget::changed);
}

void ClusterSettingsWidget::setSettings(const ClusterSettings &settings)
{
    const QSignalBlocker blocker(this);
    partitionBox->setCurrentText(settings.partition);
    nodesBox->setValue(settings.nodes);
    tasksBox->setValue(settings.tasks);
    cpusBox->setValue(settings.cpusPerTask);
    timeEdit->setText(settings.timeLimit);
    accountEdit->setText(settings.account);
    optionsEdit->setText(settings.extraOptions);
}

ClusterSettings ClusterSettingsWidget::settings() const
{
    ClusterSettings settings;
    settings.partition = partitionBox->currentText().trimmed();
    settings.nodes = nodesBox->value();
    settings.tasks = tasksBox->value();
    settings.cpusPerTask = cpusBox->value();
    settings.timeLimit = timeEdit->text().trimmed();
    settings.account = accountEdit->text().trimmed();
    settings.extraOptions = optionsEdit->text().trimmed();
    return settings;
}

void ClusterSettingsWidget::offerPartitions()
{
    SlurmCommand::run(this, QStringLiteral("sinfo"),
                      {QStringLiteral("--noheader"), QStringLiteral("--format=%R")},
                      [this](const SlurmReply &reply) {
                          slurmLabel->setText(reply.message);
                          if (reply.outcome == SlurmReply::Answered)
                              takePartitions(
                                  reply.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts));
                      });
}

void ClusterSettingsWidget::takePartitions(const QStringList &partitions)
{
    const QSignalBlocker blocker(this);
    const QString chosen = partitionBox->currentText();
    partitionBox->clear();
    for (const QString &partition : partitions)
        partitionBox->addItem(partition.trimmed());
    partitionBox->setCurrentText(chosen);
}
