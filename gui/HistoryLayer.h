#pragma once

#include "SampleTrack.h"

#include <QGraphicsObject>
#include <QImage>

#include <functional>
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

    // Draws a series' marker for a screen with `scale` device pixels to the logical pixel.
    using MarkerStamp = std::function<QImage(qreal scale)>;

    // Series are drawn in the order they were added: a later one over an earlier one. The series gives
    // the line colour, the stamp the marker picture; the track gives the points.
    void addSeries(const QXYSeries* series, const SampleTrack* track, MarkerStamp stamp);

    // Every track got one more sample.
    void drawNewest();

    // The tracks were cleared or a series' look changed: everything is drawn afresh at the next paint.
    void invalidate();

    // Follows the chart's plot area, in chart coordinates.
    void setPlotArea(const QRectF& area);

    // The size in device pixels of the pictures last drawn: the plot area times the screen's pixel ratio.
    QSize drawnSize() const { return drawn_.size; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    // Where the layer's images stand: the plot's size in device pixels, the device pixels to the
    // logical one, and the axes' ranges. The images are drawn at the screen's own resolution, so lines
    // and markers stay sharp on a high-density screen.
    struct Mapping
    {
        QSize size;
        qreal scale = 1;
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
        void paintOn(QPainter* painter, qreal scale) const;
    };

    struct Layer
    {
        const QXYSeries* series = nullptr;
        const SampleTrack* track = nullptr;
        MarkerStamp stamp;
        QImage marker; // the stamp's picture at markerScale, made once per look and scale
        qreal markerScale = 0;
        Sheet lines;
        Sheet markers;
        QPoint newest; // the pixel of the track's last sample, where the next line segment starts
    };

    Mapping currentMapping() const;
    static const QImage& markerOf(Layer& layer, qreal scale);
    QPoint pixelOf(const Mapping& mapping, std::int64_t step, double value) const;
    void redraw(const Mapping& mapping);
    void redraw(Layer& layer, const Mapping& mapping);

    QChart* chart_;
    QValueAxis* axisX_;
    QValueAxis* axisY_;
    QRectF area_;
    qreal scale_ = 1; // of the device last painted on
    std::vector<Layer> layers_;
    Mapping drawn_;
    bool valid_ = false;

    // Scratch for redraw, kept so a redraw allocates nothing once it has run.
    std::vector<std::size_t> lastInRow_;
    std::vector<std::size_t> rowColumn_;
    std::vector<int> touchedRows_;
};
