#include "CupChart.h"

#include "FontStandIns.h"
#include "HistoryLayer.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsDropShadowEffect>
#include <QGraphicsLayout>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QColor Panel(234, 234, 234);
const QColor AxisLine(64, 64, 64);
const QColor GridLine(169, 169, 169);

// Room kept between the data and the plot's edges, so the widest marker (the cross reaches 4 pixels
// from its centre) is never cut.
constexpr double MarkerRoom = 5;

QFont chartFont()
{
    return FontStandIns::resolve(QFont(QStringLiteral("Verdana"), 8));
}

// A marker picture `side` logical pixels square for a screen with `scale` device pixels to the logical
// one, to be drawn on in logical pixels.
QImage markerCanvas(int side, qreal scale)
{
    const int pixels = std::max(side, qRound(side * scale));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A filled circle 7 pixels across with a 1-pixel black rim. Drawn without smoothing: every pixel is
// either the marker's or untouched, so drawing it twice in one place changes nothing.
QImage circleMarker(const QColor& fill, qreal scale = 1)
{
    QImage image = markerCanvas(7, scale);
    QPainter painter(&image);
    painter.scale(image.width() / 7.0, image.height() / 7.0);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill);
    painter.drawEllipse(QRect(0, 0, 6, 6));
    return image;
}

// A diagonal cross 9 pixels across in 1-pixel black strokes.
QImage crossMarker(qreal scale = 1)
{
    QImage image = markerCanvas(9, scale);
    QPainter painter(&image);
    painter.scale(image.width() / 9.0, image.height() / 9.0);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(0, 0, 8, 8);
    painter.drawLine(0, 8, 8, 0);
    return image;
}

// The smallest of 1, 2 and 5 times a power of ten that is at least `wanted`.
long double roundStep(long double wanted)
{
    if (!(wanted > 0))
        return 1;
    const long double power = std::pow(10.0L, std::floor(std::log10(wanted)));
    for (const long double factor : {1.0L, 2.0L, 5.0L, 10.0L}) {
        if (factor * power >= wanted)
            return factor * power;
    }
    return 10 * power;
}

// About five ticks over the range; step numbers take whole ticks.
long double tickStep(long double low, long double high, bool whole)
{
    const long double step = roundStep((high - low) / 5);
    return whole ? std::max(step, 1.0L) : step;
}

// Axis ends stay within half the largest double, so that a span of them is still a number.
double finite(long double value)
{
    constexpr long double limit = std::numeric_limits<double>::max() / 2;
    return static_cast<double>(std::clamp(value, -limit, limit));
}

// The axis range shown around data from `low` to `high`: widened to whole ticks of a round step, about
// five of them. Ranges only ever widen while data arrive, and each widening adds at least a fifth, so
// the drawing is done afresh only a few times per tenfold growth of the history. A single value gets a
// range around it.
std::pair<double, double> roundedRange(double low, double high, bool whole)
{
    long double a = low, b = high;
    if (a == b) {
        const long double room = a == 0 ? 1 : std::fabs(a) / 10;
        a -= room;
        b += room;
    }
    const long double step = tickStep(a, b, whole);
    return {finite(std::floor(a / step) * step), finite(std::ceil(b / step) * step)};
}

// Widens a range by MarkerRoom pixels on both sides of a plot `pixels` long.
std::pair<double, double> withMarkerRoom(double low, double high, qreal pixels)
{
    if (pixels <= 4 * MarkerRoom)
        return {low, high};
    const long double perPixel = (static_cast<long double>(high) - low) / (pixels - 2 * MarkerRoom);
    return {finite(low - MarkerRoom * perPixel), finite(high + MarkerRoom * perPixel)};
}

// Sets the range with ticks about five apart. A range and an interval that do not belong together would
// ask the axis for billions of ticks in between; since the interval grows with the range, the wider
// interval always goes in first.
void setRangeAndTicks(QValueAxis* axis, double low, double high, bool whole)
{
    const double step = static_cast<double>(tickStep(low, high, whole));
    if (step > axis->tickInterval()) {
        axis->setTickInterval(step);
        axis->setRange(low, high);
    } else {
        axis->setRange(low, high);
        axis->setTickInterval(step);
    }
    // Anchored near the range rather than at zero: the axis may count its way from the anchor.
    axis->setTickAnchor(std::floor(low / step) * step);
    if (whole) {
        axis->setLabelFormat(QStringLiteral("%d"));
    } else if (std::max(std::fabs(low), std::fabs(high)) >= 1e9) {
        axis->setLabelFormat(QStringLiteral("%.3g"));
    } else {
        const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step))));
        axis->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
    }
}

void styleAxis(QValueAxis* axis)
{
    axis->setLinePen(QPen(AxisLine, 1));
    axis->setGridLinePen(QPen(GridLine, 1));
    axis->setLabelsFont(chartFont());
    axis->setLabelsBrush(Qt::black);
    axis->setTitleVisible(false);
    // Unseen, but laid out all the same: in the theme's bold face it would cost loading a font.
    axis->setTitleFont(chartFont());
    axis->setMinorGridLineVisible(false);
    axis->setShadesVisible(false);
    // Ticks at round values, a fifth of the axis' first range apart.
    axis->setTickInterval(0.2);
    axis->setTickType(QValueAxis::TicksDynamic);
}

void setTextItemsFont(QGraphicsItem* item, const QFont& font)
{
    if (auto* text = qgraphicsitem_cast<QGraphicsTextItem*>(item))
        text->setFont(font);
    const auto children = item->childItems();
    for (QGraphicsItem* child : children)
        setTextItemsFont(child, font);
}

QLinearGradient verticalGradient(std::initializer_list<std::pair<qreal, QColor>> stops)
{
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    for (const auto& [at, color] : stops)
        gradient.setColorAt(at, color);
    return gradient;
}

} // namespace

CupChart::CupChart(QChartView* view, const QString& title, const QString& redName, const QString& baijiuName)
    : QObject(view), view_(view), chart_(view->chart()), axisX_(new QValueAxis(chart_)),
      axisY_(new QValueAxis(chart_)), layer_(nullptr)
{
    // A flat panel: grey above, fading to white towards the bottom edge, square and without shadow.
    chart_->setBackgroundRoundness(0);
    chart_->setDropShadowEnabled(false);
    chart_->setBackgroundPen(Qt::NoPen);
    chart_->setBackgroundBrush(verticalGradient({{0, Panel}, {0.5, Panel}, {1, Qt::white}}));
    chart_->setPlotAreaBackgroundVisible(true);
    chart_->setPlotAreaBackgroundPen(Qt::NoPen);
    chart_->setPlotAreaBackgroundBrush(verticalGradient({{0, Panel}, {1, Qt::white}}));
    // The font before the text: the title is laid out as soon as either is set.
    chart_->setTitleFont(chartFont());
    chart_->setTitle(title);
    chart_->setTitleBrush(Qt::black);
    chart_->setMargins(QMargins(4, 0, 8, 4));
    chart_->layout()->setContentsMargins(0, 0, 0, 0);

    QLegend* legend = chart_->legend();
    legend->setAlignment(Qt::AlignRight);
    legend->setFont(chartFont());
    legend->setLabelColor(Qt::black);
    legend->setMarkerShape(QLegend::MarkerShapeRectangle);
    legend->setBackgroundVisible(true);
    legend->setBrush(Qt::white);
    legend->setPen(QPen(Qt::black, 1));
    // The legend lies over the plot, which keeps its full width; so it is placed by hand. Detached
    // before the chart has axes and series, it costs the chart no layout of them.
    legend->detachFromChart();
    auto* shadow = new QGraphicsDropShadowEffect(legend);
    shadow->setBlurRadius(0);
    shadow->setOffset(3, 3);
    shadow->setColor(Qt::black);
    legend->setGraphicsEffect(shadow);

    styleAxis(axisX_);
    styleAxis(axisY_);
    chart_->addAxis(axisX_, Qt::AlignBottom);
    chart_->addAxis(axisY_, Qt::AlignLeft);

    layer_ = new HistoryLayer(chart_, axisX_, axisY_);
    const QString names[2] = {redName, baijiuName};
    const QString titles[2] = {QStringLiteral("红"), QStringLiteral("白")};
    for (int which : {Red, Baijiu}) {
        auto* series = new QLineSeries(chart_);
        series->setObjectName(names[which]);
        series->setName(titles[which]);
        chart_->addSeries(series);
        series->attachAxis(axisX_);
        series->attachAxis(axisY_);
        // Qt's own item would paint the newest point a second time, rounded its own way; the history
        // layer paints every point, so the series item stays transparent.
        series->setOpacity(0);
        series_[which] = series;
        layer_->addSeries(series, &tracks_[which], [this, which](qreal scale) {
            return which == Red ? circleMarker(series_[Red]->color(), scale) : crossMarker(scale);
        });
    }
    setColors(Qt::red, Qt::blue);
    // Over the series items, under the legend: Qt Charts stacks them at 4 and 5.
    layer_->setZValue(4.5);

    connect(chart_, &QChart::plotAreaChanged, this, &CupChart::plotAreaChanged);
    connect(axisX_, &QValueAxis::rangeChanged, this, &CupChart::userMovedAxes);
    connect(axisY_, &QValueAxis::rangeChanged, this, &CupChart::userMovedAxes);

    view_->setRubberBand(QChartView::RectangleRubberBand);
    viewport_ = view_->viewport();
    viewport_->installEventFilter(this);
    plotAreaChanged();
}

CupChart::~CupChart() = default;

void CupChart::setColors(const QColor& red, const QColor& baijiu)
{
    series_[Red]->setColor(red);
    series_[Red]->setMarkerSize(7);
    series_[Red]->setLightMarker(circleMarker(red));
    series_[Baijiu]->setColor(baijiu);
    series_[Baijiu]->setMarkerSize(9);
    series_[Baijiu]->setLightMarker(crossMarker());
    layer_->invalidate();
}

QXYSeries* CupChart::series(Series which) const
{
    return series_[which];
}

void CupChart::append(std::int64_t step, double red, double baijiu)
{
    const double values[2] = {red, baijiu};
    for (int which : {Red, Baijiu}) {
        tracks_[which].append(step, values[which]);
        // The series keeps the newest sample only: changing one point costs Qt nothing per step.
        const QPointF point(static_cast<double>(step), values[which]);
        if (series_[which]->count() == 0)
            series_[which]->append(point);
        else
            series_[which]->replace(0, point);
    }

    const double x = static_cast<double>(step);
    dataX_ = dataX_ ? Span{std::min(dataX_->low, x), std::max(dataX_->high, x)} : Span{x, x};
    const double low = std::min(red, baijiu), high = std::max(red, baijiu);
    dataY_ = dataY_ ? Span{std::min(dataY_->low, low), std::max(dataY_->high, high)} : Span{low, high};

    const auto within = [](const std::optional<Span>& shown, const Span& data) {
        return shown && shown->low <= data.low && data.high <= shown->high;
    };
    if (following_ && !(within(shownX_, *dataX_) && within(shownY_, *dataY_))) {
        const auto [x0, x1] = roundedRange(dataX_->low, dataX_->high, true);
        const auto [y0, y1] = roundedRange(dataY_->low, dataY_->high, false);
        shownX_ = Span{x0, x1};
        shownY_ = Span{y0, y1};
        applyRanges();
    }
    layer_->drawNewest();
}

void CupChart::clear()
{
    for (int which : {Red, Baijiu}) {
        tracks_[which].clear();
        series_[which]->clear();
    }
    dataX_.reset();
    dataY_.reset();
    shownX_.reset();
    shownY_.reset();
    // Starting over brings the view back to the data.
    following_ = true;
    layer_->invalidate();
}

QList<QPointF> CupChart::history(Series which) const
{
    const SampleTrack& track = tracks_[which];
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(track.size()));
    for (std::size_t i = 0; i < track.size(); ++i)
        points.append(QPointF(static_cast<double>(track.stepAt(i)), track.valueAt(i)));
    return points;
}

void CupChart::followData()
{
    following_ = true;
    shownX_.reset();
    shownY_.reset();
    if (dataX_) {
        const auto [x0, x1] = roundedRange(dataX_->low, dataX_->high, true);
        const auto [y0, y1] = roundedRange(dataY_->low, dataY_->high, false);
        shownX_ = Span{x0, x1};
        shownY_ = Span{y0, y1};
        applyRanges();
    }
}

void CupChart::holdRanges(double xLow, double xHigh, double yLow, double yHigh)
{
    following_ = false;
    const QScopedValueRollback guard(settingRanges_, true);
    setRangeAndTicks(axisX_, xLow, xHigh, true);
    setRangeAndTicks(axisY_, yLow, yHigh, false);
    layer_->invalidate();
}

void CupChart::applyRanges()
{
    if (!shownX_ || !shownY_)
        return;
    const QRectF plot = chart_->plotArea();
    const QScopedValueRollback guard(settingRanges_, true);
    const auto [x0, x1] = withMarkerRoom(shownX_->low, shownX_->high, plot.width());
    const auto [y0, y1] = withMarkerRoom(shownY_->low, shownY_->high, plot.height());
    setRangeAndTicks(axisX_, x0, x1, true);
    setRangeAndTicks(axisY_, y0, y1, false);
}

void CupChart::userMovedAxes()
{
    if (settingRanges_)
        return;
    following_ = false;
    const QScopedValueRollback guard(settingRanges_, true);
    setRangeAndTicks(axisX_, axisX_->min(), axisX_->max(), true);
    setRangeAndTicks(axisY_, axisY_->min(), axisY_->max(), false);
    layer_->invalidate();
}

void CupChart::plotAreaChanged()
{
    layer_->setPlotArea(chart_->plotArea());
    // The room for markers is counted in pixels: a new plot size needs new ranges.
    if (following_)
        applyRanges();
    placeLegend();
}

void CupChart::placeLegend()
{
    QLegend* legend = chart_->legend();
    if (legendSize_.isEmpty()) {
        // The legend's own size hint leaves out the second entry when it stands detached; its entries,
        // laid out once in ample room, tell the height they need, with as much room below as above.
        // A new entry lays its text out once in the application's font before taking the legend's;
        // handing it the legend's font first spares loading a face that is never drawn.
        setTextItemsFont(legend, legend->font());
        legend->setGeometry(QRectF(0, 0, 400, 400));
        const QRectF entries = legend->childrenBoundingRect();
        legendSize_ = QSizeF(legend->effectiveSizeHint(Qt::PreferredSize).width(),
                             entries.bottom() + entries.top() + 1);
    }
    const QRectF plot = chart_->plotArea();
    legend->setGeometry(QRectF(QPointF(plot.right() - legendSize_.width() - 8, plot.top() + 8), legendSize_));
}

bool CupChart::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != viewport_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            followData();
            return true;
        }
        break;
    // The right button scrolls; it must not reach the view, which would zoom out on release.
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            scrollFrom_ = static_cast<QMouseEvent*>(event)->position();
            return true;
        }
        break;
    case QEvent::MouseMove:
        if (scrollFrom_) {
            const QPointF at = static_cast<QMouseEvent*>(event)->position();
            const QPointF moved = at - *scrollFrom_;
            scrollFrom_ = at;
            chart_->scroll(-moved.x(), moved.y());
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            scrollFrom_.reset();
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}
