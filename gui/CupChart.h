#pragma once

#include "SampleTrack.h"

#include <QObject>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <array>
#include <optional>

class HistoryLayer;
class QChart;
class QChartView;
class QColor;
class QLineSeries;
class QValueAxis;
class QXYSeries;

// One cup's chart: the red wine in the cup ("红", circles) and the baijiu in it ("白", crosses) against
// the step number. The whole history is kept in two tracks and drawn by a HistoryLayer; each Qt series
// holds only the newest sample, so it serves the legend, the axes and anyone who asks for the last
// point, and costs nothing per step. The axes follow the data unless the user has zoomed or scrolled.
//
// Zooming: drag a rectangle with the left button. Scrolling: drag with the right button. A double-click
// goes back to following the data.
class CupChart : public QObject
{
    Q_OBJECT

public:
    enum Series
    {
        Red,
        Baijiu,
    };

    // Sets up the chart in `view` and creates its two series, red first, with these object names.
    CupChart(QChartView* view, const QString& title, const QString& redName, const QString& baijiuName);
    ~CupChart() override;

    void setColors(const QColor& red, const QColor& baijiu);

    // One sample on each series, red first.
    void append(std::int64_t step, double red, double baijiu);
    void clear();

    QXYSeries* series(Series which) const;
    QValueAxis* axisX() const { return axisX_; }
    QValueAxis* axisY() const { return axisY_; }

    // The whole history of one series, oldest first. It is built on each call: for tests and checks.
    QList<QPointF> history(Series which) const;
    const SampleTrack& track(Series which) const { return tracks_[which]; }

    bool followsData() const { return following_; }
    void followData();

    // Holds the axes at these ranges, as a zoom does, until the view follows the data again.
    void holdRanges(double xLow, double xHigh, double yLow, double yHigh);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A closed range of axis values.
    struct Span
    {
        double low = 0;
        double high = 0;
    };

    void applyRanges();
    void userMovedAxes();
    void placeLegend();
    void plotAreaChanged();

    QChartView* view_;
    // Compared, never called: events reach the filter while the view is being torn down.
    QObject* viewport_ = nullptr;
    QChart* chart_;
    QValueAxis* axisX_;
    QValueAxis* axisY_;
    std::array<QLineSeries*, 2> series_{};
    std::array<SampleTrack, 2> tracks_;
    HistoryLayer* layer_;

    // The data's extent since the last clear, and the rounded ranges the axes show around it.
    std::optional<Span> dataX_, dataY_;
    std::optional<Span> shownX_, shownY_;
    bool following_ = true;
    bool settingRanges_ = false;
    std::optional<QPointF> scrollFrom_;
    QSizeF legendSize_;
};
