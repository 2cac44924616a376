#pragma once

#include "SampleTrack.h"

#include <QGraphicsObject>
#include <QImage>

#include <vector>

class QChart;
class QValueAxis;
class QXYSeries;

// Draws the whole history of a chart's series over its plot area, so a long history costs a transfer
// no more than a short one. Qt's own series item lays out and paints every point on every change; this
// layer keeps each series' lines and markers in two images of the plot's size instead: a new sample
// adds one line segment and one marker to them, and a repaint copies four images.
//
// The images are drawn again only when the axes or the plot area change. Then every pixel column
// keeps the points that decide its pixels: the first and last (the joins to the neighbouring columns),
// the top and bottom (the vertical extent of the line), and per pixel row the last marker put there.
// Lines and markers are drawn aliased and markers at whole pixels, so drawing that subset in order
// gives the same pixels as drawing every point.
class HistoryLayer : public QGraphicsObject
{
public:
    HistoryLayer(QChart* chart, QValueAxis* axisX, QValueAxis* axisY);

    // Series are drawn in the order they were added: a later one over an earlier one. The series gives
    // the line colour and the marker picture; the track gives the points.
    void addSeries(const QXYSeries* series, const SampleTrack* track);

    // Every track got one more sample.
    void drawNewest();

    // The tracks were cleared or a series' look changed: everything is drawn afresh at the next paint.
    void invalidate();

    // Follows the chart's plot area, in chart coordinates.
    void setPlotArea(const QRectF& area);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    // Where the layer's images stand: the plot's size in pixels and the axes' ranges.
    struct Mapping
    {
        QSize size;
        double xMin = 0;
        double xMax = 0;
        double yMin = 0;
        double yMax = 0;
        bool operator==(const Mapping&) const = default;
    };

    // An image of the plot's size that knows where it has been drawn on: only that part is cleared and
    // copied to the screen, and the rest of its memory is never touched. A short history costs a few
    // pixels, not four plot-sized images.
    struct Sheet
    {
        QImage image;
        QRect used;

        void prepare(QSize size);
        void markUsed(const QRect& area) { used |= area.intersected(image.rect()); }
        void paintOn(QPainter* painter) const;
    };

    struct Layer
    {
        const QXYSeries* series = nullptr;
        const SampleTrack* track = nullptr;
        Sheet lines;
        Sheet markers;
        QPoint newest; // the pixel of the track's last sample, where the next line segment starts
    };

    Mapping currentMapping() const;
    QPoint pixelOf(const Mapping& mapping, std::int64_t step, double value) const;
    void redraw(const Mapping& mapping);
    void redraw(Layer& layer, const Mapping& mapping);

    QChart* chart_;
    QValueAxis* axisX_;
    QValueAxis* axisY_;
    QRectF area_;
    std::vector<Layer> layers_;
    Mapping drawn_;
    bool valid_ = false;

    // Scratch for redraw, kept so a redraw allocates nothing once it has run.
    std::vector<std::size_t> lastInRow_;
    std::vector<std::size_t> rowColumn_;
    std::vector<int> touchedRows_;
};
