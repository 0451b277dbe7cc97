#ifndef VORPEN_PHASEDIAGRAMS_H
#define VORPEN_PHASEDIAGRAMS_H

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "plots/phasedata.h"

class QwtPlotZoomer;
class SyntaxAnalyzer;

// The linear phase diagrams of one driving file: the records read from it and the plot
// windows opened for its components. Never shown itself.
class PhaseDiagrams : public QWidget
{
    Q_OBJECT
public:
    PhaseDiagrams(QString title, QWidget *parent);
    ~PhaseDiagrams() override;

    void getPhaseDataFromTree7(SyntaxAnalyzer *analyzer);
    void getPhaseDataFromDrivingFile(QString text);
    void cutVariablesLinear(int index, QStringList lines);
    void cutVariablesLinearTQ(int index, QStringList lines);

    const QList<PhaseData *> &phaseData() const { return records; }

public slots:
    // Opens the diagram of the component named by the sending action ("Component <name>").
    void slotPlot();
    void slotClosedPlot(QObject *window);

private:
    void clearRecords();
    int componentRecord(int blockIndex, const QString &component);
    void markBlockInvalid(int blockIndex);
    void setBlockTemperature(int blockIndex, double temperature);
    void setBlockPhaseName(int blockIndex, const QString &phase);

    QList<PhaseData *> records;
    QString title;
    QPointer<QwtPlotZoomer> zoomer;
};

#endif
