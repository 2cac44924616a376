#include "CupChart.h"
#include "Unit1.h"

#include "support/MainWindowDriver.h"
#include "support/ModalWatcher.h"

#include <QChart>
#include <QChartView>
#include <QFontDatabase>
#include <QGraphicsDropShadowEffect>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QValueAxis>
#include <QXYSeries>

#include <bit>
#include <memory>

namespace {

const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);

// The charts' face: Verdana, or where it is missing, its metric look-alike DejaVu Sans.
QString chartFamily()
{
    const bool verdana = QFontDatabase::families().contains(QStringLiteral("Verdana"), Qt::CaseInsensitive);
    return verdana ? QStringLiteral("Verdana") : QStringLiteral("DejaVu Sans");
}

quint64 bits(double value)
{
    return std::bit_cast<quint64>(value);
}

bool sameBits(QPointF a, QPointF b)
{
    return bits(a.x()) == bits(b.x()) && bits(a.y()) == bits(b.y());
}

QString describe(QPointF point)
{
    return QStringLiteral("(%1, %2)").arg(point.x(), 0, 'g', 17).arg(point.y(), 0, 'g', 17);
}

} // namespace

class TestCharts : public QObject
{
    Q_OBJECT

    MainWindowDriver form;
    ModalWatcher watcher;

    QChartView* view(const QString& name) const { return form->findChild<QChartView*>(name); }
    CupChart* panel(const QString& name) const { return view(name)->findChild<CupChart*>(); }

    // The four series in the order they were made, with the chart and the history each one belongs to.
    struct Plotted
    {
        QXYSeries* series;
        CupChart* panel;
        CupChart::Series which;
    };

    QList<Plotted> allSeries() const
    {
        return {{panel("cht1")->series(CupChart::Red), panel("cht1"), CupChart::Red},
                {panel("cht1")->series(CupChart::Baijiu), panel("cht1"), CupChart::Baijiu},
                {panel("cht2")->series(CupChart::Red), panel("cht2"), CupChart::Red},
                {panel("cht2")->series(CupChart::Baijiu), panel("cht2"), CupChart::Baijiu}};
    }

    // The model's volumes in series order: red and baijiu in the baijiu cup, then in the red-wine cup.
    QList<double> modelVolumes() const
    {
        const MixState& state = form->mixState();
        return {state.redInBaijiuCup, state.baijiuInBaijiuCup, state.redInRedCup, state.baijiuInRedCup};
    }

    // Each series' newest point and the last point of its history are the model's latest sample.
    void verifyLatestSampleIsTheModel()
    {
        const QList<double> volumes = modelVolumes();
        const QList<Plotted> plotted = allSeries();
        for (qsizetype i = 0; i < plotted.size(); ++i) {
            const QPointF expected(form->mixState().stepCount, volumes[i]);
            QXYSeries* series = plotted[i].series;
            QVERIFY(series->count() > 0);
            const QPointF newest = series->at(series->count() - 1);
            QVERIFY2(sameBits(newest, expected),
                     qPrintable(series->objectName() + " ends at " + describe(newest)));
            const QList<QPointF> history = plotted[i].panel->history(plotted[i].which);
            QVERIFY(!history.isEmpty());
            QVERIFY2(sameBits(history.last(), expected),
                     qPrintable(series->objectName() + " history ends at " + describe(history.last())));
        }
    }

    // Where a point of a series lands in the chart view's viewport.
    QPoint pixelOf(QChartView* chartView, QXYSeries* series, QPointF point) const
    {
        return chartView->mapFromScene(chartView->chart()->mapToPosition(point, series));
    }

    static bool anyPixelNear(const QImage& image, QPoint at, const QColor& color)
    {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (image.pixelColor(at + QPoint(dx, dy)) == color)
                    return true;
            }
        }
        return false;
    }

    // Every point of both series that lies in the plot shows its marker there: the red circle's fill,
    // the cross's black centre.
    void verifyMarkersDrawnAtTheirPoints(const QString& name)
    {
        QChartView* chartView = view(name);
        const QImage image = chartView->viewport()->grab().toImage();
        const QRectF plot = chartView->chart()->plotArea();
        int checked = 0;
        for (auto [which, color] :
             {std::pair{CupChart::Red, Red}, std::pair{CupChart::Baijiu, QColor(Qt::black)}}) {
            QXYSeries* series = panel(name)->series(which);
            for (const QPointF& point : panel(name)->history(which)) {
                if (!plot.contains(chartView->chart()->mapToPosition(point, series)))
                    continue;
                const QPoint at = pixelOf(chartView, series, point);
                QVERIFY2(anyPixelNear(image, at, color),
                         qPrintable(
                             QStringLiteral("%1 has no marker at %2").arg(series->name(), describe(point))));
                ++checked;
            }
        }
        QVERIFY(checked > 0);
    }

    // All points of a chart lie inside its plot with room for the widest marker (4 pixels to its edge).
    void verifyAxesHoldEveryPoint(const QString& name)
    {
        QChart* chart = view(name)->chart();
        const QRectF room = chart->plotArea().adjusted(4, 4, -4, -4);
        for (auto which : {CupChart::Red, CupChart::Baijiu}) {
            QXYSeries* series = panel(name)->series(which);
            for (const QPointF& point : panel(name)->history(which)) {
                const QPointF at = chart->mapToPosition(point, series);
                QVERIFY2(room.contains(at),
                         qPrintable(QStringLiteral("%1 %2 %3 lies at %4, %5 outside the plot")
                                        .arg(name, series->name(), describe(point))
                                        .arg(at.x())
                                        .arg(at.y())));
            }
        }
    }

private Q_SLOTS:
    void init() { form.open(); }

    void cleanup()
    {
        form.close();
        watcher.verifyNoneUnexpected();
    }

    void seriesCarryTheirNamesTitlesAndColours_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("chartView");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<int>("orderInChart");
        QTest::newRow("lnsrsSeries1") << 0 << "cht1"
                                      << "红" << Red << 0;
        QTest::newRow("lnsrsSeries2") << 1 << "cht1"
                                      << "白" << Blue << 1;
        QTest::newRow("lnsrsSeries3") << 2 << "cht2"
                                      << "红" << Red << 0;
        QTest::newRow("lnsrsSeries4") << 3 << "cht2"
                                      << "白" << Blue << 1;
    }

    void seriesCarryTheirNamesTitlesAndColours()
    {
        QFETCH(int, index);
        QFETCH(QString, chartView);
        QFETCH(QString, title);
        QFETCH(QColor, color);
        QFETCH(int, orderInChart);
        QXYSeries* series = allSeries()[index].series;
        QCOMPARE(series->objectName(), QString::fromLatin1(QTest::currentDataTag()));
        QCOMPARE(series->name(), title);
        QCOMPARE(series->color(), color);
        QChart* chart = view(chartView)->chart();
        QCOMPARE(chart->series().indexOf(series), orderInChart);
        const QList<QLegendMarker*> markers = chart->legend()->markers();
        QCOMPARE(markers.size(), 2);
        QCOMPARE(markers[orderInChart]->series(), series);
        QCOMPARE(markers[orderInChart]->label(), title);
        QCOMPARE(markers[orderInChart]->brush().color(), color);
    }

    void setUpReplacesColoursSetEarlier()
    {
        for (const Plotted& plotted : allSeries())
            plotted.series->setColor(Qt::green);
        form->SetUpSeries();
        QList<QColor> colors;
        for (const Plotted& plotted : allSeries())
            colors << plotted.series->color();
        QCOMPARE(colors, QList<QColor>({Red, Blue, Red, Blue}));
    }

    void markersAreARimmedRedCircleAndABlackCross()
    {
        QXYSeries* red = allSeries()[0].series;
        const QImage circle = red->lightMarker().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(circle.size(), QSize(7, 7));
        QCOMPARE(red->markerSize(), 7.0);
        QCOMPARE(circle.pixelColor(3, 3), Red);
        QCOMPARE(circle.pixelColor(3, 0), QColor(Qt::black));
        QCOMPARE(circle.pixelColor(6, 3), QColor(Qt::black));
        QCOMPARE(circle.pixelColor(0, 0).alpha(), 0);

        QXYSeries* baijiu = allSeries()[1].series;
        const QImage cross = baijiu->lightMarker().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(cross.size(), QSize(9, 9));
        QCOMPARE(baijiu->markerSize(), 9.0);
        for (QPoint stroke : {QPoint(4, 4), QPoint(0, 0), QPoint(8, 8), QPoint(8, 0), QPoint(0, 8)})
            QCOMPARE(cross.pixelColor(stroke), QColor(Qt::black));
        for (QPoint gap : {QPoint(4, 0), QPoint(0, 4), QPoint(4, 3)})
            QCOMPARE(cross.pixelColor(gap).alpha(), 0);
    }

    void chartsLookFlatWithTheLegendOverThePlot_data()
    {
        QTest::addColumn<QString>("chartView");
        QTest::addColumn<QString>("title");
        QTest::newRow("cht1") << "cht1"
                              << "白酒杯";
        QTest::newRow("cht2") << "cht2"
                              << "红酒杯";
    }

    void chartsLookFlatWithTheLegendOverThePlot()
    {
        QFETCH(QString, chartView);
        QFETCH(QString, title);
        QChart* chart = view(chartView)->chart();
        QCOMPARE(chart->title(), title);
        QCOMPARE(chart->titleFont().family(), chartFamily());
        QCOMPARE(chart->titleBrush().color(), QColor(Qt::black));
        QCOMPARE(chart->backgroundRoundness(), 0.0);
        QVERIFY(!chart->isDropShadowEnabled());
        QCOMPARE(chart->backgroundPen().style(), Qt::NoPen);

        const QGradientStops panel = chart->backgroundBrush().gradient()->stops();
        const QGradientStops plot = chart->plotAreaBackgroundBrush().gradient()->stops();
        const QColor grey(234, 234, 234);
        QCOMPARE(panel, QGradientStops({{0, grey}, {0.5, grey}, {1, Qt::white}}));
        QCOMPARE(plot, QGradientStops({{0, grey}, {1, Qt::white}}));
        QVERIFY(chart->isPlotAreaBackgroundVisible());

        for (QAbstractAxis* axis : chart->axes()) {
            QCOMPARE(axis->linePenColor(), QColor(64, 64, 64));
            QCOMPARE(axis->gridLineColor(), QColor(169, 169, 169));
            QCOMPARE(axis->labelsFont().family(), chartFamily());
            QVERIFY(!axis->isTitleVisible());
        }

        QLegend* legend = chart->legend();
        QVERIFY(!legend->isAttachedToChart());
        QCOMPARE(legend->font().family(), chartFamily());
        const auto* shadow = qobject_cast<QGraphicsDropShadowEffect*>(legend->graphicsEffect());
        QVERIFY(shadow);
        QCOMPARE(shadow->offset(), QPointF(3, 3));
        QCOMPARE(shadow->blurRadius(), 0.0);
        QCOMPARE(shadow->color(), QColor(Qt::black));
        // Over the right part of the plot, which keeps the chart's width less the axis labels.
        const QRectF area = chart->plotArea();
        QVERIFY(area.contains(legend->geometry()));
        QVERIFY(legend->geometry().left() > area.center().x());
        QVERIFY(area.right() > chart->size().width() - 20);
    }

    void startShowsTheStartVolumes()
    {
        QCOMPARE(panel("cht1")->history(CupChart::Red), QList<QPointF>{QPointF(0, 0)});
        QCOMPARE(panel("cht1")->history(CupChart::Baijiu), QList<QPointF>{QPointF(0, 100)});
        QCOMPARE(panel("cht2")->history(CupChart::Red), QList<QPointF>{QPointF(0, 100)});
        QCOMPARE(panel("cht2")->history(CupChart::Baijiu), QList<QPointF>{QPointF(0, 0)});
        verifyLatestSampleIsTheModel();
    }

    void transferAddsOneStepToEverySeries_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<double>>(
            "volumes"); // red and baijiu in the baijiu cup, then in the red-wine cup
        QTest::newRow("btn1 into the red-wine cup") << "btn1" << QList<double>{0, 99, 100, 1};
        QTest::newRow("btn2 into the baijiu cup") << "btn2" << QList<double>{1, 100, 99, 0};
    }

    void transferAddsOneStepToEverySeries()
    {
        QFETCH(QString, button);
        QFETCH(QList<double>, volumes);
        form.click(button);
        const QList<Plotted> plotted = allSeries();
        for (qsizetype i = 0; i < plotted.size(); ++i) {
            const QList<QPointF> history = plotted[i].panel->history(plotted[i].which);
            QCOMPARE(history.size(), 2);
            QCOMPARE(history[1], QPointF(1, volumes[i]));
        }
        verifyLatestSampleIsTheModel();
    }

    void mixedTransfersKeepEveryStepInOrder()
    {
        const QString pattern = QStringLiteral("1121222112121");
        for (QChar button : pattern)
            form.click(QStringLiteral("btn") + button);
        for (const Plotted& plotted : allSeries()) {
            const QList<QPointF> history = plotted.panel->history(plotted.which);
            QCOMPARE(history.size(), pattern.size() + 1);
            for (qsizetype x = 0; x < history.size(); ++x)
                QCOMPARE(history[x].x(), double(x));
        }
        verifyLatestSampleIsTheModel();
        verifyMarkersDrawnAtTheirPoints("cht1");
        verifyMarkersDrawnAtTheirPoints("cht2");
    }

    void initialiseWithUnchangedFieldsStartsOverFromOnePoint()
    {
        form.click("btn1");
        form.click("btn2");
        form.click("btn3");
        for (const Plotted& plotted : allSeries()) {
            QCOMPARE(plotted.panel->history(plotted.which).size(), 1);
            QCOMPARE(plotted.series->count(), 1);
        }
        QCOMPARE(panel("cht1")->history(CupChart::Baijiu).first().x(), 0.0);
        verifyLatestSampleIsTheModel();
    }

    void failedInitialiseLeavesTheChartsEmptyUntilTheNextTransfer()
    {
        form.click("btn1");
        form.field("edt5")->setText("x");
        const QList<SeenBox> boxes = watcher.boxesDuring([&] { form.click("btn3"); });
        QCOMPARE(boxes.size(), 1);
        for (const Plotted& plotted : allSeries()) {
            QVERIFY(plotted.panel->history(plotted.which).isEmpty());
            QCOMPARE(plotted.series->count(), 0);
        }

        form.click("btn1");
        for (const Plotted& plotted : allSeries()) {
            const QList<QPointF> history = plotted.panel->history(plotted.which);
            QCOMPARE(history.size(), 1);
            QCOMPARE(history[0].x(), 1.0);
        }
        verifyLatestSampleIsTheModel();
        verifyAxesHoldEveryPoint("cht1");
        verifyAxesHoldEveryPoint("cht2");
    }

    void failingTransferAppendsNothing()
    {
        form.click("btn2");
        form.field("edt1")->setText("abc");
        const QList<SeenBox> boxes = watcher.boxesDuring([&] { form.click("btn1"); });
        QCOMPARE(boxes.size(), 1);
        for (const Plotted& plotted : allSeries()) {
            QCOMPARE(plotted.panel->history(plotted.which).size(), 2);
            QCOMPARE(plotted.series->count(), 1);
        }
        verifyLatestSampleIsTheModel();
    }

    // The axes follow the data, whatever its shape, with room for a whole marker at each end.
    void axesHoldEveryPointWithRoomForAMarker_data()
    {
        QTest::addColumn<QStringList>("texts"); // the fields, set before the commands
        QTest::addColumn<QString>("commands");
        QTest::newRow("start") << QStringList() << QString();
        QTest::newRow("one value in the whole chart") << QStringList{"1", "50", "50", "50", "50"} << "3";
        QTest::newRow("overdrawn cups go negative") << QStringList{"150", "100", "0", "0", "100"} << "11";
        QTest::newRow("volumes in the millions") << QStringList{"1", "-3e6", "2e6", "0", "1e-9"} << "312";
        QTest::newRow("a longer history") << QStringList{"7", "100", "0", "0", "100"} << QString(300, u'1');
    }

    void axesHoldEveryPointWithRoomForAMarker()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, commands);
        if (!texts.isEmpty())
            form.setFieldTexts(texts);
        for (QChar command : commands)
            form.click(QStringLiteral("btn") + command);
        QCoreApplication::processEvents();
        verifyAxesHoldEveryPoint("cht1");
        verifyAxesHoldEveryPoint("cht2");
        verifyLatestSampleIsTheModel();
    }

    void bottomAxisCountsWholeSteps()
    {
        for (int i = 0; i < 37; ++i)
            form.click("btn1");
        for (const char* name : {"cht1", "cht2"}) {
            QValueAxis* axis = panel(QLatin1String(name))->axisX();
            QCOMPARE(axis->labelFormat(), QStringLiteral("%d"));
            QCOMPARE(axis->tickType(), QValueAxis::TicksDynamic);
            QCOMPARE(axis->tickInterval(), std::round(axis->tickInterval()));
            QVERIFY(axis->tickInterval() >= 1);
        }
    }

    void zoomedChartStaysUntilDoubleClicked()
    {
        for (int i = 0; i < 40; ++i)
            form.click(i % 3 ? "btn1" : "btn2");
        CupChart* chart = panel("cht1");
        QChart* qchart = view("cht1")->chart();
        const QRectF area = qchart->plotArea();
        qchart->zoomIn(QRectF(area.left() + area.width() / 4, area.top(), area.width() / 4, area.height()));
        QVERIFY(!chart->followsData());
        const std::pair zoomed{chart->axisX()->min(), chart->axisX()->max()};
        QVERIFY(zoomed.second - zoomed.first < 20);

        form.click("btn1");
        QCOMPARE(std::pair(chart->axisX()->min(), chart->axisX()->max()), zoomed);
        QCoreApplication::processEvents();
        verifyMarkersDrawnAtTheirPoints("cht1");

        QTest::mouseDClick(view("cht1")->viewport(), Qt::LeftButton, {}, area.center().toPoint());
        QVERIFY(chart->followsData());
        verifyAxesHoldEveryPoint("cht1");
    }

    // The history drawn afresh from its thinned-out points gives the same pixels as the one drawn step by
    // step, every point on its own, on a history dense enough for several points per pixel column. The
    // axes are held still so that every step is drawn on its own.
    void redrawnHistoryMatchesTheOneDrawnPointByPoint()
    {
        for (const char* name : {"cht1", "cht2"})
            panel(QLatin1String(name))->holdRanges(-10, 2510, -30, 160);
        form.field("edt1")->setText("9");
        quint32 state = 12345;
        for (int i = 0; i < 2500; ++i) {
            state = state * 1664525u + 1013904223u;
            const double baijiuCup = form->mixState().baijiuInBaijiuCup + form->mixState().redInBaijiuCup;
            const bool intoRedCup = baijiuCup > 130 || (baijiuCup > 70 && (state >> 16) % 2);
            form.click(intoRedCup ? "btn1" : "btn2");
            QCoreApplication::processEvents();
        }
        const QImage pointByPoint[2] = {view("cht1")->viewport()->grab().toImage(),
                                        view("cht2")->viewport()->grab().toImage()};
        form->SetUpSeries();
        const QImage redrawn[2] = {view("cht1")->viewport()->grab().toImage(),
                                   view("cht2")->viewport()->grab().toImage()};
        QCOMPARE(redrawn[0], pointByPoint[0]);
        QCOMPARE(redrawn[1], pointByPoint[1]);
    }
};

QTEST_MAIN(TestCharts)
#include "tst_charts.moc"
