#ifndef VORPEN_ANISOTROPYPLOTS_H
#define VORPEN_ANISOTROPYPLOTS_H

#include <QList>
#include <QVector>
#include <QWidget>

#include "plots/anisotropydata.h"

class SyntaxAnalyzer;

// The anisotropic phase interactions of one driving file and their polar plot windows.
// Never shown itself.
class AnisotropyPlots : public QWidget
{
    Q_OBJECT
public:
    AnisotropyPlots(QString baseName, QWidget *parent);
    ~AnisotropyPlots() override;

    bool getAnisoDataFromTree7(SyntaxAnalyzer *analyzer);
    bool polarPlotData(QString text);
    AnisotropyData *insertAnisotropyData(QList<QString> lines, int index);

    QVector<AnisotropyData *> records;
    QString baseName;
    QList<PhaseSymmetry> symmetries;

public slots:
    // Opens the plot of the record whose title is the sending action's text.
    void createCurves();
    void slotClosedPlot(QObject *plot);

private:
    void clearRecords();
    void readCoefficients64(AnisotropyData *data, const QStringList &lines, int index);
};

#endif
