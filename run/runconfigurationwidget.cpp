#include "run/runconfigurationwidget.h"

#include "app/config/configuration.h"
#include "app/window/editor.h"
#include "run/cluster/clustersettingswidget.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const int versionTimeoutMs = 30000;

Configuration *applicationConfiguration()
{
    Editor *editor = Editor::getInstance();
    return editor ? editor->configuration : nullptr;
}

} // namespace

RunConfigurationWidget::RunConfigurationWidget(QWidget *parent) : QGroupBox(parent)
{
    executableBox = new QComboBox;
    executableBox->setEditable(false);
    executableBox->setDuplicatesEnabled(false);
    displayToolEdit = new QLineEdit;
    versionLabel = new QLabel;
    auto *browse1 = new QPushButton(tr("Browse"));
    auto *browse2 = new QPushButton(tr("Browse"));

    innerBox = new QGroupBox(this);
    auto *grid = new QGridLayout(innerBox);
    grid->addWidget(new QLabel(tr("ZELMORA binary")), 0, 0);
    grid->addWidget(executableBox, 1, 0);
    grid->addWidget(browse1, 1, 1);
    grid->addWidget(versionLabel, 2, 0);
    grid->addWidget(new QLabel(tr("Display ZELMORA binary")), 3, 0);
    grid->addWidget(displayToolEdit, 4, 0);
    grid->addWidget(browse2, 4, 1);

    whereBox = new QComboBox;
    whereBox->addItems({tr("This computer"), tr("Slurm cluster")});
    clusterSettings = new ClusterSettingsWidget(this);
    clusterSettings->hide();
    whereGroup = new QGroupBox(this);
    auto *whereRow = new QHBoxLayout(whereGroup);
    whereRow->addWidget(new QLabel(tr("Where to run")));
    whereRow->addWidget(whereBox, 1);

    connect(whereBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &RunConfigurationWidget::slotClusterChanged);
    connect(clusterSettings, &ClusterSettingsWidget::changed, this,
            &RunConfigurationWidget::slotClusterChanged);
    connect(executableBox, &QComboBox::currentTextChanged, this,
            &RunConfigurationWidget::slotBin1Changed);
    connect(displayToolEdit, &QLineEdit::textChanged, this,
            &RunConfigurationWidget::slotBin2Changed);
    connect(browse1, &QPushButton::clicked, this, &RunConfigurationWidget::slotBrowse1);
    connect(browse2, &QPushButton::clicked, this, &RunConfigurationWidget::slotBrowse2);
}

void RunConfigurationWidget::getLayout(Configuration *configuration)
{
    tabConfiguration = configuration;
    const Configuration *application = applicationConfiguration();
    // Filled silently: the first entry must not replace the executable configured for the tab
    // before it is selected; the entry finally shown is checked once below.
    const bool fill = executableBox->count() == 0 && application;
    if (fill) {
        const QSignalBlocker blocker(executableBox);
        for (const QString &executable : application->recentExecutables)
            executableBox->addItem(executable);
        if (executableBox->count() == 0)
            executableBox->addItem(application->simulationExecutable);
    }
    const Configuration *source = configuration ? configuration : application;
    const QString shown = executableBox->currentText();
    if (source) {
        const int index = executableBox->findText(source->simulationExecutable);
        if (index >= 0)
            executableBox->setCurrentIndex(index);
        displayToolEdit->setText(source->displayTool);
        showCluster(source->cluster);
    }
    if (fill && executableBox->currentText() == shown)
        slotBin1Changed(shown);
    if (!layout()) {
        auto *column = new QVBoxLayout(this);
        column->addWidget(whereGroup);
        column->addWidget(innerBox);
        column->addWidget(clusterSettings);
        column->addStretch();
    }
}

void RunConfigurationWidget::showCluster(const ClusterSettings &settings)
{
    {
        const QSignalBlocker blocker(whereBox);
        whereBox->setCurrentIndex(settings.onCluster ? 1 : 0);
    }
    clusterSettings->setSettings(settings);
    if (settings.onCluster && clusterSettings->isHidden())
        clusterSettings->offerPartitions();
    clusterSettings->setVisible(settings.onCluster);
}

void RunConfigurationWidget::slotClusterChanged()
{
    ClusterSettings settings = clusterSettings->settings();
    settings.onCluster = whereBox->currentIndex() == 1;
    if (settings.onCluster && clusterSettings->isHidden())
        clusterSettings->offerPartitions();
    clusterSettings->setVisible(settings.onCluster);
    if (tabConfiguration)
        tabConfiguration->cluster = settings;
    // Remembered for the next file, like the executables.
    if (Configuration *application = applicationConfiguration())
        application->cluster = settings;
}

void RunConfigurationWidget::slotBin1Changed(QString path)
{
    if (tabConfiguration)
        tabConfiguration->simulationExecutable = path;
    if (checkVersion(path) == Verdict::Accepted)
        acceptExecutable(path);
}

// Asks the executable for its version; the verdict says whether the application may use it.
RunConfigurationWidget::Verdict RunConfigurationWidget::checkVersion(const QString &path)
{
    versionLabel->setText(tr("Checking version ... Please wait"));
    const QString msg = tr("Error checking version!") + QLatin1Char('\n');
    const QFileInfo file(path);
    if (!file.exists()) {
        versionLabel->setText(msg + tr("File not found!"));
        return Verdict::Refused;
    }
    if (!file.isExecutable()) {
        versionLabel->setText(msg + tr("File is not an executable!") + QLatin1Char('\n'));
        return Verdict::Refused;
    }
    QProcess process(this);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path, {QStringLiteral("-v")}, QIODevice::ReadWrite);
    if (!process.waitForFinished(versionTimeoutMs)) {
        process.kill();
        process.waitForFinished(versionTimeoutMs);
        return Verdict::Accepted;
    }
    if (process.exitStatus() != QProcess::NormalExit) {
        versionLabel->setText(msg + tr("File is not executable or dynamic libraries are missing.") +
                              QLatin1Char('\n'));
        return Verdict::Accepted;
    }
    const QString output = QString::fromUtf8(process.readAll());
    if (output.contains(QLatin1String("ZELMORA binary")) ||
        output.contains(QLatin1String("ZELMORA version"))) {
        versionLabel->setText(output);
        return Verdict::Accepted;
    }
    versionLabel->setText(msg + tr("File is not a ZELMORA executable!") + QLatin1Char('\n'));
    return Verdict::Refused;
}

void RunConfigurationWidget::acceptExecutable(const QString &path)
{
    Configuration *application = applicationConfiguration();
    if (!application)
        return;
    application->simulationExecutable = path;
    application->recentExecutables.prepend(path);
    application->recentExecutables.removeDuplicates();
}

void RunConfigurationWidget::slotBin2Changed(QString path)
{
    if (tabConfiguration)
        tabConfiguration->displayTool = path;
    if (Configuration *application = applicationConfiguration())
        application->displayTool = path;
}

void RunConfigurationWidget::slotBrowse1()
{
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Browse ZELMORA binary"), executableBox->currentText(), tr("All files (*)"));
    if (file.isEmpty())
        return;
    executableBox->insertItem(0, file);
    executableBox->setCurrentIndex(executableBox->findText(file));
}

void RunConfigurationWidget::slotBrowse2()
{
    const QString file = QFileDialog::getOpenFileName(this, tr("Browse Display ZELMORA binary"),
                                                      displayToolEdit->text(), tr("All files (*)"));
    if (!file.isEmpty())
        displayToolEdit->setText(file);
}
