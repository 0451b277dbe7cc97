#ifndef VORPEN_RUNCONFIGURATIONWIDGET_H
#define VORPEN_RUNCONFIGURATIONWIDGET_H

#include <QGroupBox>

struct ClusterSettings;
class ClusterSettingsWidget;
class Configuration;
class QComboBox;
class QLabel;
class QLineEdit;

// The "Run Configuration" view of a page: chooses and checks the simulation executable and the
// display tool, for the page and for the whole application.
class RunConfigurationWidget : public QGroupBox
{
    Q_OBJECT
public:
    explicit RunConfigurationWidget(QWidget *parent = nullptr);

    // Fills the widgets from the page's configuration (the application's when null).
    void getLayout(Configuration *tabConfiguration);

    QComboBox *executableBox = nullptr;
    QLineEdit *displayToolEdit = nullptr;
    QLabel *versionLabel = nullptr;
    QGroupBox *innerBox = nullptr;
    QGroupBox *whereGroup = nullptr;
    QComboBox *whereBox = nullptr; // "This computer" or "Slurm cluster"
    ClusterSettingsWidget *clusterSettings = nullptr;
    Configuration *tabConfiguration = nullptr; // not owned

public slots:
    void slotBin1Changed(QString path);
    void slotBin2Changed(QString path);
    void slotBrowse1();
    void slotBrowse2();
    void slotClusterChanged();

private:
    enum class Verdict
    {
        Refused,
        Accepted
    };
    Verdict checkVersion(const QString &path);
    void acceptExecutable(const QString &path);
    void showCluster(const ClusterSettings &settings);
};

#endif
