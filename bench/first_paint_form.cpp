#include "FirstPaint.h"
#include "FontStandIns.h"
#include "ui_Unit1.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QMainWindow>

#include <utility>

// The floor under the program's start-up: its main window as Qt draws it from the form file, with the same
// captions, faces, chart titles and legend entries, and none of the program's own code: no axes, no
// styling, no history, no handlers.
int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    application.installEventFilter(new FontStandIns(&application));
    QMainWindow window;
    Ui::TForm1 ui;
    ui.setupUi(&window);
    const QFont chartFont = FontStandIns::resolve(QFont(QStringLiteral("Verdana"), 8));
    for (const auto& [view, title] : {std::pair{ui.cht1, "白酒杯"}, std::pair{ui.cht2, "红酒杯"}}) {
        QChart* chart = view->chart();
        chart->setTitleFont(chartFont);
        chart->setTitle(QString::fromUtf8(title));
        chart->legend()->setFont(chartFont);
        for (const char* name : {"红", "白"}) {
            auto* series = new QLineSeries(chart);
            series->setName(QString::fromUtf8(name));
            chart->addSeries(series);
        }
    }
    QuitAfterFirstPaint quit(window.objectName());
    window.show();
    return application.exec();
}
