#include "plots/phasediagrams.h"

#include <QAction>
#include <QIcon>

#include <algorithm>
#include <cmath>

#include <qwt_legend.h>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_magnifier.h>
#include <qwt_plot_marker.h>
#include <qwt_plot_zoomer.h>
#include <qwt_symbol.h>
#include <qwt_text.h>

namespace {

const double sameTemperature = 1e-10;

QString number(double value)
{
    return QString::number(value, 'g', 6);
}

QwtText label(const QString &content, const QColor &colour)
{
    QwtText text(QStringLiteral("<P><b><FONT SIZE=4>") + content + QStringLiteral("</b></P>"));
    text.setColor(colour);
    return text;
}

QPen markerPen(const QColor &colour)
{
    return QPen(colour, 0, Qt::DashDotLine, Qt::SquareCap, Qt::BevelJoin);
}

QwtPlotMarker *addMarker(QwtPlot *plot, double x, double y)
{
    auto *marker = new QwtPlotMarker();
    marker->setValue(x, y);
    marker->setItemAttribute(QwtPlotItem::AutoScale, true);
    marker->attach(plot);
    return marker;
}

void addLabel(QwtPlot *plot, double x, double y, const QwtText &text,
              Qt::Alignment alignment = Qt::AlignCenter)
{
    QwtPlotMarker *marker = addMarker(plot, x, y);
    marker->setLabel(text);
    marker->setLabelAlignment(alignment);
}

void addPoint(QwtPlot *plot, double x, double y)
{
    const QColor colour(233, 59, 79);
    QwtPlotMarker *marker = addMarker(plot, x, y);
    marker->setSymbol(new QwtSymbol(QwtSymbol::Ellipse, QBrush(colour), QPen(colour), QSize(6, 6)));
    marker->setLabelAlignment(Qt::AlignCenter);
}

void addLine(QwtPlot *plot, QwtPlotMarker::LineStyle style, double value, const QColor &colour)
{
    QwtPlotMarker *marker = addMarker(plot, value, value);
    marker->setLineStyle(style);
    marker->setLinePen(markerPen(colour));
}

void addCurve(QwtPlot *plot, const double *x, const double *y, const QColor &colour,
              const QString &title)
{
    auto *curve = new QwtPlotCurve(title);
    // Copied, not raw: a window may outlive the records it was drawn from.
    curve->setSamples(x, y, PhaseData::sampleCount);
    curve->setPen(QPen(colour, 2, Qt::SolidLine));
    curve->setItemAttribute(QwtPlotItem::Legend, !title.isEmpty());
    curve->setLegendAttribute(QwtPlotCurve::LegendShowLine);
    curve->attach(plot);
}

// Everything drawn for one phase pair; `axisTop` is the upper end of the temperature axis.
void drawPair(QwtPlot *plot, const PhaseData &data, const QColor &colour,
              const PhaseDiagramRanges &ranges, double axisTop)
{
    const double t0 = data.referenceTemperature;
    const double c1 = data.concentrationOne;
    const double c2 = data.concentrationTwo;
    const double cx = data.meetingConcentration();
    const double tx = data.meetingTemperature();

    addCurve(plot, data.samplesX, data.samplesTwo, colour,
             QStringLiteral("interaction ") + data.phaseOne + QStringLiteral(" / ") +
                 data.phaseTwo);
    addCurve(plot, data.samplesX, data.samplesOne, colour, QString());

    addLine(plot, QwtPlotMarker::VLine, 0.0, Qt::black);
    addLine(plot, QwtPlotMarker::VLine, 100.0, Qt::black);

    if (axisTop >= tx) {
        QwtPlotMarker *meeting = addMarker(plot, cx, tx);
        meeting->setLabel(label(QStringLiteral("( ") + number(cx) + QStringLiteral(" / ") +
                                    number(tx) + QStringLiteral(" )"),
                                colour));
        meeting->setLabelAlignment(Qt::AlignRight |
                                   (ranges.temperatureMax >= tx ? Qt::AlignTop : Qt::AlignBottom));
        meeting->setLinePen(QPen(colour));
        addPoint(plot, cx, tx);
    }
    addPoint(plot, c2, t0);
    addPoint(plot, c1, t0);

    const QString c = QStringLiteral("c    ");
    const QString m = QStringLiteral("m    ");
    addLabel(plot, c1, t0, label(c + number(c1), colour), Qt::AlignTop);
    const double halfOne = (c1 + cx) / 2.0;
    addLabel(plot, halfOne, data.temperatureOne(halfOne), label(m + number(data.slopeOne), colour));
    addLabel(plot, c2, t0, label(c + number(c2), colour), Qt::AlignTop);
    const double halfTwo = (c2 + cx) / 2.0;
    addLabel(plot, halfTwo, data.temperatureTwo(halfTwo), label(m + number(data.slopeTwo), colour));
}

void addReferenceLine(QwtPlot *plot, double t0, const QColor &colour)
{
    QwtPlotMarker *marker = addMarker(plot, 0.0, t0);
    marker->setLineStyle(QwtPlotMarker::HLine);
    marker->setLabel(label(QStringLiteral("T0  = ") + number(t0), colour));
    marker->setLabelAlignment(Qt::AlignRight | Qt::AlignHCenter | Qt::AlignBottom);
    marker->setLabelOrientation(Qt::Horizontal);
    marker->setLinePen(markerPen(colour));
}

} // namespace

void PhaseDiagrams::slotPlot()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    const QString component = action->text().split(QLatin1Char(' ')).value(1);

    QList<PhaseData *> pairs;
    PhaseDiagramRanges ranges;
    QString unit;
    for (PhaseData *data : qAsConst(records)) {
        if (data->componentName != component)
            continue;
        pairs.append(data);
        unit = data->concentrationUnit;
        ranges.include(*data);
    }

    auto *plot = new QwtPlot();
    plot->setMouseTracking(true);
    plot->setCanvasBackground(Qt::white);
    plot->setAxisTitle(QwtPlot::xBottom, QStringLiteral("<font size=2>Component ") + component +
                                             QStringLiteral(" ") + unit +
                                             QStringLiteral("</font>"));
    plot->setAxisTitle(QwtPlot::yLeft, QStringLiteral("<font size=2>T [K]</font>"));
    const double temperatureRange = ranges.temperatureMax - ranges.temperatureMin;
    const double axisTop = ranges.temperatureMax + 0.1 * 0.5 * temperatureRange;
    plot->setAxisScale(QwtPlot::yLeft, ranges.temperatureMin - 0.1 * 0.5 * temperatureRange,
                       axisTop);
    const double concentrationRange = ranges.concentrationMax - ranges.concentrationMin;
    plot->setAxisScale(QwtPlot::xBottom, ranges.concentrationMin - 0.025 * 0.5 * concentrationRange,
                       ranges.concentrationMax + 0.5 * 0.5 * concentrationRange);
    const double sampledWidth =
        concentrationRange + 0.025 * 0.5 * concentrationRange + 0.5 * 0.5 * concentrationRange;

    QwtText plotTitle(QStringLiteral("Phase Diagram: Component ") + component);
    QFont titleFont = plot->font();
    titleFont.setPixelSize(14);
    plotTitle.setFont(titleFont);
    plot->setTitle(plotTitle);
    plot->setWindowTitle(title);
    plot->insertLegend(new QwtLegend(), QwtPlot::BottomLegend);
    plot->setWindowIcon(QIcon(QStringLiteral(":/tbicons/icon.png")));
    // Every window closes itself and is forgotten, also one without records.
    plot->setAttribute(Qt::WA_DeleteOnClose);
    connect(plot, &QObject::destroyed, this, &PhaseDiagrams::slotClosedPlot);
    if (!pairs.isEmpty())
        pairs.first()->plot = plot;

    QList<double> drawnTemperatures;
    for (int n = 0; n < pairs.size(); ++n) {
        PhaseData *data = pairs[n];
        const QColor colour = phaseDiagramColour(n);
        for (int i = 0; i < PhaseData::sampleCount; ++i) {
            const double x = ranges.concentrationMin + (sampledWidth / 100.0) * i;
            data->samplesX[i] = x;
            data->samplesTwo[i] = data->temperatureTwo(x);
            data->samplesOne[i] = data->temperatureOne(x);
        }
        const double t0 = data->referenceTemperature;
        const bool drawn =
            std::any_of(drawnTemperatures.begin(), drawnTemperatures.end(),
                        [t0](double t) { return std::fabs(t - t0) < sameTemperature; });
        if (!drawn) {
            drawnTemperatures.append(t0);
            addReferenceLine(plot, t0, colour);
        }
        drawPair(plot, *data, colour, ranges, axisTop);
    }

    zoomer = new QwtPlotZoomer(plot->canvas());
    auto *shiftMagnifier = new QwtPlotMagnifier(plot->canvas());
    shiftMagnifier->setWheelModifiers(Qt::ShiftModifier);
    shiftMagnifier->setAxisEnabled(QwtPlot::yLeft, true);
    shiftMagnifier->setAxisEnabled(QwtPlot::yRight, false);
    auto *ctrlMagnifier = new QwtPlotMagnifier(plot->canvas());
    ctrlMagnifier->setWheelModifiers(Qt::ControlModifier);
    ctrlMagnifier->setAxisEnabled(QwtPlot::yLeft, false);
    ctrlMagnifier->setAxisEnabled(QwtPlot::yRight, true);

    plot->show();
    plot->resize(800, 600);
}

void PhaseDiagrams::slotClosedPlot(QObject *window)
{
    for (PhaseData *data : qAsConst(records)) {
        if (data->plot == window) {
            data->plot = nullptr;
            return;
        }
    }
}
