// Prints start-up to the main window's first paint against the two yardsticks. With --picture DIR it
// writes the pictures to compare instead: the window, and at 10,000 steps each chart drawn by Qt Charts
// from every point beside the same chart as the program draws it. What a long history costs a transfer
// is measured by bench_history.

#include "CupChart.h"
#include "HistoryClicker.h"
#include "HistoryLayer.h"
#include "Unit1.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <QXYSeries>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Start-up, process start to exit after the first paint, the three programs taking turns: the program,
// the same window drawn by Qt from its form file alone, and a bare window with two empty chart views.
void startup(int runs)
{
    const QDir dir(QCoreApplication::applicationDirPath());
    const char* names[3] = {"first_paint_window", "first_paint_form", "first_paint_bare"};
    std::vector<double> times[3];
    std::vector<double> ratios[3]; // window / bare, form / bare, window / form
    for (int run = 0; run < runs + 1; ++run) {
        double round[3];
        for (int which : {0, 1, 2}) {
            QProcess process;
            QElapsedTimer timer;
            timer.start();
            process.start(dir.filePath(QLatin1String(names[which])), {});
            process.waitForFinished(30000);
            round[which] = timer.nsecsElapsed() / 1e6;
        }
        if (run == 0)
            continue; // the first round warms the file cache
        for (int which : {0, 1, 2})
            times[which].push_back(round[which]);
        ratios[0].push_back(round[0] / round[2]);
        ratios[1].push_back(round[1] / round[2]);
        ratios[2].push_back(round[0] / round[1]);
    }
    std::printf("\nstart-up to first paint, median of %d runs each, taking turns:\n", runs);
    std::printf("  main window                 %8.1f ms\n", median(times[0]));
    std::printf("  same window, form file only %8.1f ms\n", median(times[1]));
    std::printf("  bare two charts             %8.1f ms\n", median(times[2]));
    std::printf("  main window / bare          %8.2f\n", median(ratios[0]));
    std::printf("  form file only / bare       %8.2f\n", median(ratios[1]));
    std::printf("  main window / form file     %8.2f\n", median(ratios[2]));
}

CupChart* cupChart(TForm1& form, const char* view)
{
    return form.findChild<QChartView*>(QLatin1String(view))->findChild<CupChart*>();
}

// Makes a chart draw the way Qt Charts does by itself: every point in the series, no history layer.
void drawEveryPointByQt(CupChart* chart)
{
    for (auto which : {CupChart::Red, CupChart::Baijiu}) {
        chart->series(which)->replace(chart->history(which));
        chart->series(which)->setOpacity(1);
    }
    for (QGraphicsItem* item : chart->series(CupChart::Red)->chart()->childItems()) {
        if (dynamic_cast<HistoryLayer*>(item))
            item->hide();
    }
}

void pictures(const QString& directory)
{
    QDir().mkpath(directory);
    {
        TForm1 form;
        showAndPaint(form);
        HistoryClicker(form).fill(12);
        showAndPaint(form);
        form.grab().save(directory + QStringLiteral("/window-12-steps.png"));
    }

    constexpr int steps = 10000;
    TForm1 qtDraws, layerDraws;
    for (TForm1* form : {&qtDraws, &layerDraws}) {
        showAndPaint(*form);
        HistoryClicker(*form).fill(steps);
    }
    drawEveryPointByQt(cupChart(qtDraws, "cht1"));
    drawEveryPointByQt(cupChart(qtDraws, "cht2"));
    showAndPaint(qtDraws);
    showAndPaint(layerDraws);
    layerDraws.grab().save(directory + QStringLiteral("/window-10000-steps.png"));

    for (const char* view : {"cht1", "cht2"}) {
        const QPixmap left = qtDraws.findChild<QChartView*>(QLatin1String(view))->grab();
        const QPixmap right = layerDraws.findChild<QChartView*>(QLatin1String(view))->grab();
        QImage both(left.width() + right.width() + 10, left.height(), QImage::Format_RGB32);
        both.fill(Qt::white);
        QPainter painter(&both);
        painter.drawPixmap(0, 0, left);
        painter.drawPixmap(left.width() + 10, 0, right);
        painter.end();
        both.save(directory +
                  QStringLiteral("/%1-10000-steps-every-point-vs-layer.png").arg(QLatin1String(view)));
    }
    std::printf("pictures written to %s\n", qPrintable(directory));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Start-up to the first paint, and the pictures to compare."));
    parser.addHelpOption();
    const QCommandLineOption startupRuns(QStringLiteral("startup-runs"),
                                         QStringLiteral("Start-up runs of each program."),
                                         QStringLiteral("count"), QStringLiteral("20"));
    const QCommandLineOption picture(QStringLiteral("picture"),
                                     QStringLiteral("Write the pictures to compare into this folder."),
                                     QStringLiteral("folder"));
    parser.addOptions({startupRuns, picture});
    parser.process(application);

    if (parser.isSet(picture))
        pictures(parser.value(picture));
    else
        startup(std::max(1, parser.value(startupRuns).toInt()));
    return 0;
}
