// What a long history costs the main window, as Qt Test benchmarks: one transfer followed by a full
// repaint at a given history length, and filling a history of that length by transfers, with the heap it
// takes per step. Run by hand (the README gives the commands); CTest runs the smallest rows once.

#include "HistoryClicker.h"
#include "Unit1.h"

#include <QTest>

#include <memory>

class BenchHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void transferWithFullRepaint_data() { historyLengths(); }

    // With -median N, Qt Test calls this N times a row: the history is filled on the first call only and
    // each call adds one transfer to it.
    void transferWithFullRepaint()
    {
        QFETCH(int, steps);
        if (!filled_ || filledSteps_ != steps) {
            // The clicker refers to the form: it goes first, and the old form before the new one is made.
            clicker_.reset();
            filled_.reset();
            filled_ = std::make_unique<TForm1>();
            showAndPaint(*filled_);
            clicker_ = std::make_unique<HistoryClicker>(*filled_);
            clicker_->fill(steps);
            filledSteps_ = steps;
        }
        QBENCHMARK
        {
            clicker_->transfer();
            filled_->repaint();
        }
    }

    void fillHistory_data() { historyLengths(); }

    void fillHistory()
    {
        QFETCH(int, steps);
        TForm1 form;
        showAndPaint(form);
        HistoryClicker clicker(form);
        const std::size_t heapBefore = heapInUse();
        QBENCHMARK_ONCE
        {
            clicker.fill(steps);
        }
        // A short history is lost in what the window allocates and frees anyway.
        if (steps >= 10000) {
            const double bytes = static_cast<double>(heapInUse()) - static_cast<double>(heapBefore);
            qInfo("heap taken by the history: %.1f bytes per step", bytes / steps);
        }
    }

    void cleanupTestCase()
    {
        clicker_.reset();
        filled_.reset();
    }

private:
    static void historyLengths()
    {
        QTest::addColumn<int>("steps");
        for (const int steps : {10, 10000, 100000, 1000000})
            QTest::addRow("%d", steps) << steps;
    }

    std::unique_ptr<TForm1> filled_;
    std::unique_ptr<HistoryClicker> clicker_;
    int filledSteps_ = 0;
};

QTEST_MAIN(BenchHistory)
#include "bench_history.moc"
