// Prints what a long history costs the main window: one transfer with a full repaint, filling the
// history, the memory it takes, and start-up against a bare window with two chart views. With
// --picture DIR it also writes the pictures to compare: the window, and at 10,000 steps each chart
// drawn by Qt Charts from every point beside the same chart as the program draws it.

#include "CupChart.h"
#include "HistoryLayer.h"
#include "Unit1.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QXYSeries>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Transfers both ways, chosen at random but kept so the baijiu cup holds between 50 and 150: the
// history wanders as a person's clicking might, and no cup runs dry.
class Clicker
{
public:
    explicit Clicker(TForm1& form) : form_(form) {}

    void transfer()
    {
        const MixState& state = form_.mixState();
        const double baijiuCup = state.baijiuInBaijiuCup + state.redInBaijiuCup;
        const bool intoRedCup = baijiuCup > 150 ? true : baijiuCup < 50 ? false : (random_() & 1) != 0;
        if (intoRedCup)
            form_.btn1Click();
        else
            form_.btn2Click();
    }

private:
    TForm1& form_;
    std::minstd_rand random_{20200318};
};

void showAndPaint(TForm1& form)
{
    form.show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    form.repaint();
}

// One history size: fill it, then time single transfers each followed by a full repaint.
void measure(int steps, int transfers)
{
    TForm1 form;
    showAndPaint(form);
    const std::size_t heapBefore = heapInUse();
    Clicker clicker(form);

    QElapsedTimer fill;
    fill.start();
    for (int i = 0; i < steps; ++i) {
        clicker.transfer();
        // Now and then the window gets to repaint, as it would between clicks.
        if (i % 4096 == 4095)
            QApplication::processEvents();
    }
    QApplication::processEvents();
    const double fillMs = fill.nsecsElapsed() / 1e6;
    const double bytesPerStep =
        steps ? (static_cast<double>(heapInUse()) - static_cast<double>(heapBefore)) / steps : 0;

    std::vector<double> times;
    for (int i = 0; i < transfers; ++i) {
        QElapsedTimer timer;
        timer.start();
        clicker.transfer();
        QApplication::processEvents();
        form.repaint();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("%10d  %12.3f  %12.3f  %12.3f  %14.0f  %12.3f  %10.1f\n", steps, median(times),
                *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()),
                fillMs, steps ? fillMs * 1000 / steps : 0.0, bytesPerStep);
    std::fflush(stdout);
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
        Clicker clicker(form);
        for (int i = 0; i < 12; ++i)
            clicker.transfer();
        showAndPaint(form);
        form.grab().save(directory + QStringLiteral("/window-12-steps.png"));
    }

    constexpr int steps = 10000;
    TForm1 qtDraws, layerDraws;
    for (TForm1* form : {&qtDraws, &layerDraws}) {
        showAndPaint(*form);
        Clicker clicker(*form);
        for (int i = 0; i < steps; ++i)
            clicker.transfer();
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
    parser.setApplicationDescription(QStringLiteral("What a long history costs the main window."));
    parser.addHelpOption();
    const QCommandLineOption sizes(QStringLiteral("sizes"),
                                   QStringLiteral("History lengths, comma-separated."),
                                   QStringLiteral("list"), QStringLiteral("10,10000,100000,1000000"));
    const QCommandLineOption transfers(QStringLiteral("transfers"),
                                       QStringLiteral("Timed transfers per history length."),
                                       QStringLiteral("count"), QStringLiteral("51"));
    const QCommandLineOption startupRuns(QStringLiteral("startup-runs"),
                                         QStringLiteral("Start-up runs of each program (0: none)."),
                                         QStringLiteral("count"), QStringLiteral("15"));
    const QCommandLineOption picture(QStringLiteral("picture"),
                                     QStringLiteral("Write the pictures to compare into this folder."),
                                     QStringLiteral("folder"));
    parser.addOptions({sizes, transfers, startupRuns, picture});
    parser.process(application);

    if (parser.isSet(picture)) {
        pictures(parser.value(picture));
        return 0;
    }

    std::printf("%10s  %12s  %12s  %12s  %14s  %12s  %10s\n", "history", "transfer ms", "min ms", "max ms",
                "fill ms", "fill us/step", "bytes/step");
    for (const QString& size : parser.value(sizes).split(u',', Qt::SkipEmptyParts))
        measure(size.toInt(), parser.value(transfers).toInt());
    if (const int runs = parser.value(startupRuns).toInt(); runs > 0)
        startup(runs);
    return 0;
}
