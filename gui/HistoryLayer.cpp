#include "HistoryLayer.h"

#include <QChart>
#include <QPainter>
#include <QValueAxis>
#include <QXYSeries>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Pixels far outside the plot are pulled in to this distance: the rasteriser works in fixed point and
// a line towards such a point keeps its direction across the plot for any practical zoom.
constexpr double FarAway = 1 << 22;

// Markers whose centre lies this far outside the plot, in logical pixels, can still reach into it.
constexpr int MarkerReach = 8;

int markerReach(qreal scale)
{
    return static_cast<int>(std::ceil(MarkerReach * scale));
}

int toPixel(double position)
{
    if (std::isnan(position))
        return static_cast<int>(-FarAway);
    return static_cast<int>(std::floor(std::clamp(position, -FarAway, FarAway)));
}

// One logical pixel wide, in whole device pixels.
QPen linePen(const QXYSeries* series, qreal scale)
{
    QPen pen(series->color(), std::max(1, qRound(scale)));
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QPoint markerCorner(const QImage& marker, QPoint centre)
{
    return centre - QPoint(marker.width() / 2, marker.height() / 2);
}

// Rectangles covering a line segment and a marker, to mark them as used.
QRect segmentArea(QPoint from, QPoint to)
{
    return QRect(from, to).normalized().adjusted(-1, -1, 1, 1);
}

QRect markerArea(const QImage& marker, QPoint centre)
{
    return QRect(markerCorner(marker, centre), marker.size());
}

} // namespace

void HistoryLayer::Sheet::prepare(QSize size)
{
    if (image.size() != size) {
        // Zeroed memory from the system is transparent already and costs nothing until drawn on.
        const qsizetype bytesPerLine = qsizetype(size.width()) * 4;
        void* pixels = std::calloc(std::max(size.height(), 1), std::max<std::size_t>(bytesPerLine, 4));
        if (!pixels)
            throw std::bad_alloc();
        image = QImage(static_cast<uchar*>(pixels), size.width(), size.height(), bytesPerLine,
                       QImage::Format_ARGB32_Premultiplied, std::free, pixels);
    } else {
        for (int y = used.top(); y <= used.bottom(); ++y)
            std::memset(image.scanLine(y) + qsizetype(used.left()) * 4, 0, qsizetype(used.width()) * 4);
    }
    used = QRect();
}

void HistoryLayer::Sheet::paintOn(QPainter* painter, qreal scale) const
{
    if (!used.isEmpty()) {
        const QRectF target(used.x() / scale, used.y() / scale, used.width() / scale, used.height() / scale);
        painter->drawImage(target, image, used);
    }
}

HistoryLayer::HistoryLayer(QChart* chart, QValueAxis* axisX, QValueAxis* axisY)
    : QGraphicsObject(chart), chart_(chart), axisX_(axisX), axisY_(axisY)
{
}

void HistoryLayer::addSeries(const QXYSeries* series, const SampleTrack* track, MarkerStamp stamp)
{
    layers_.push_back({series, track, std::move(stamp), {}, 0, {}, {}, {}});
    invalidate();
}

void HistoryLayer::invalidate()
{
    valid_ = false;
    for (Layer& layer : layers_)
        layer.marker = QImage();
    update();
}

void HistoryLayer::setPlotArea(const QRectF& area)
{
    if (area == area_)
        return;
    prepareGeometryChange();
    area_ = area;
    setPos(area.topLeft());
    invalidate();
}

const QImage& HistoryLayer::markerOf(Layer& layer, qreal scale)
{
    // Drawn into the layer's images pixel for pixel, so the picture itself carries no pixel ratio.
    if (layer.marker.isNull() || layer.markerScale != scale) {
        layer.marker = layer.stamp(scale);
        layer.markerScale = scale;
    }
    return layer.marker;
}

QRectF HistoryLayer::boundingRect() const
{
    return {QPointF(0, 0), area_.size()};
}

HistoryLayer::Mapping HistoryLayer::currentMapping() const
{
    return {QSize(static_cast<int>(std::ceil(area_.width() * scale_)),
                  static_cast<int>(std::ceil(area_.height() * scale_))),
            scale_,
            axisX_->min(),
            axisX_->max(),
            axisY_->min(),
            axisY_->max()};
}

QPoint HistoryLayer::pixelOf(const Mapping& mapping, std::int64_t step, double value) const
{
    const double x = (static_cast<double>(step) - mapping.xMin) / (mapping.xMax - mapping.xMin) *
                     area_.width() * mapping.scale;
    const double y = (mapping.yMax - value) / (mapping.yMax - mapping.yMin) * area_.height() * mapping.scale;
    return {toPixel(x), toPixel(y)};
}

void HistoryLayer::drawNewest()
{
    const Mapping mapping = currentMapping();
    if (!valid_ || mapping != drawn_) {
        invalidate();
        return;
    }
    QRect dirty;
    for (Layer& layer : layers_) {
        const SampleTrack& track = *layer.track;
        if (track.empty())
            continue;
        const QPoint to = pixelOf(mapping, track.stepAt(track.size() - 1), track.lastValue());
        if (track.size() > 1) {
            QPainter lines(&layer.lines.image);
            lines.setPen(linePen(layer.series, mapping.scale));
            lines.drawLine(layer.newest, to);
            layer.lines.markUsed(segmentArea(layer.newest, to));
            dirty |= segmentArea(layer.newest, to);
        }
        const QImage& marker = markerOf(layer, mapping.scale);
        QPainter(&layer.markers.image).drawImage(markerCorner(marker, to), marker);
        layer.markers.markUsed(markerArea(marker, to));
        dirty |= markerArea(marker, to);
        layer.newest = to;
    }
    update(QRectF(dirty).intersected(boundingRect()));
}

void HistoryLayer::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (const QPaintDevice* device = painter->device())
        scale_ = device->devicePixelRatioF();
    const Mapping mapping = currentMapping();
    if (!valid_ || mapping != drawn_)
        redraw(mapping);
    for (const Layer& layer : layers_) {
        layer.lines.paintOn(painter, mapping.scale);
        layer.markers.paintOn(painter, mapping.scale);
    }
}

void HistoryLayer::redraw(const Mapping& mapping)
{
    drawn_ = mapping;
    valid_ = mapping.size.width() > 0 && mapping.size.height() > 0 && mapping.xMax > mapping.xMin &&
             mapping.yMax > mapping.yMin;
    for (Layer& layer : layers_) {
        layer.lines.prepare(mapping.size);
        layer.markers.prepare(mapping.size);
        if (valid_)
            redraw(layer, mapping);
    }
}

void HistoryLayer::redraw(Layer& layer, const Mapping& mapping)
{
    const SampleTrack& track = *layer.track;
    if (track.empty())
        return;
    layer.newest = pixelOf(mapping, track.stepAt(track.size() - 1), track.lastValue());

    // Only the samples in view count, with one more on either side for the lines leaving the plot.
    const double first = static_cast<double>(track.firstStep());
    const double last = first + static_cast<double>(track.size() - 1);
    const double from = std::clamp(std::floor(mapping.xMin) - 1, first, last);
    const double to = std::clamp(std::ceil(mapping.xMax) + 1, first, last);
    if (from > to)
        return;
    const std::size_t begin = static_cast<std::size_t>(from - first);
    const std::size_t end = static_cast<std::size_t>(to - first) + 1;

    const QImage& marker = markerOf(layer, mapping.scale);
    const int reach = markerReach(mapping.scale);
    const int rows = mapping.size.height() + 2 * reach;
    lastInRow_.assign(rows, 0);
    rowColumn_.assign(rows, std::size_t(-1));
    touchedRows_.clear();

    QPainter markers(&layer.markers.image);
    QRect markersUsed;
    std::vector<QPoint> path;

    // The column being gathered: indices of its first, top, bottom and last samples.
    std::size_t columnSerial = 0;
    int columnX = 0;
    std::size_t firstIndex = 0, topIndex = 0, bottomIndex = 0, lastIndex = 0;
    int top = 0, bottom = 0;

    const auto pointAt = [&](std::size_t index) {
        return pixelOf(mapping, track.stepAt(index), track.valueAt(index));
    };
    const auto addToPath = [&](std::size_t index) {
        const QPoint point = pointAt(index);
        if (path.empty() || path.back() != point)
            path.push_back(point);
    };
    const auto finishColumn = [&] {
        std::size_t order[4] = {firstIndex, std::min(topIndex, bottomIndex), std::max(topIndex, bottomIndex),
                                lastIndex};
        for (std::size_t index : order)
            addToPath(index);
        if (touchedRows_.empty())
            return;
        // Where markers overlap, the later one lies on top: so they go down in the order of their samples.
        std::sort(touchedRows_.begin(), touchedRows_.end(),
                  [&](int a, int b) { return lastInRow_[a] < lastInRow_[b]; });
        for (int row : touchedRows_)
            markers.drawImage(markerCorner(marker, QPoint(columnX, row - reach)), marker);
        markersUsed |= QRect(markerCorner(marker, QPoint(columnX, top)),
                             QSize(marker.width(), bottom - top + marker.height()));
        touchedRows_.clear();
    };

    for (std::size_t index = begin; index < end; ++index) {
        const QPoint point = pointAt(index);
        if (index == begin || point.x() != columnX) {
            if (index != begin)
                finishColumn();
            ++columnSerial;
            columnX = point.x();
            firstIndex = topIndex = bottomIndex = lastIndex = index;
            top = bottom = point.y();
        } else {
            lastIndex = index;
            if (point.y() < top) {
                top = point.y();
                topIndex = index;
            } else if (point.y() > bottom) {
                bottom = point.y();
                bottomIndex = index;
            }
        }
        const int row = point.y() + reach;
        if (row >= 0 && row < rows && columnX >= -reach && columnX < mapping.size.width() + reach) {
            if (rowColumn_[row] != columnSerial) {
                rowColumn_[row] = columnSerial;
                touchedRows_.push_back(row);
            }
            lastInRow_[row] = index;
        }
    }
    finishColumn();

    // Segment by segment, as drawNewest draws them: a polyline ends its segments differently.
    std::vector<QLine> segments;
    segments.reserve(path.size());
    QRect linesUsed;
    for (std::size_t i = 1; i < path.size(); ++i) {
        segments.emplace_back(path[i - 1], path[i]);
        linesUsed |= segmentArea(path[i - 1], path[i]);
    }
    QPainter lines(&layer.lines.image);
    lines.setPen(linePen(layer.series, mapping.scale));
    lines.drawLines(segments.data(), static_cast<int>(segments.size()));
    layer.lines.markUsed(linesUsed);
    layer.markers.markUsed(markersUsed);
}
