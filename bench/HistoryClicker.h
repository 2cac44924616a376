#pragma once

#include "Unit1.h"
#include "model/MixState.h"

#include <QApplication>

#include <malloc.h>

#include <cstddef>
#include <random>

// Transfers both ways, chosen at random but kept so the baijiu cup holds between 50 and 150: the history
// wanders as a person's clicking might, and no cup runs dry.
class HistoryClicker
{
public:
    explicit HistoryClicker(TForm1& form) : form_(form) {}

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

    // `steps` transfers; now and then the window gets to repaint, as it would between clicks.
    void fill(int steps)
    {
        for (int i = 0; i < steps; ++i) {
            transfer();
            if (i % 4096 == 4095)
                QApplication::processEvents();
        }
        QApplication::processEvents();
    }

private:
    TForm1& form_;
    std::minstd_rand random_{20200318};
};

// Shown, laid out and painted once, as on the screen.
inline void showAndPaint(TForm1& form)
{
    form.show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    form.repaint();
}

// What the heap holds now, in bytes.
inline std::size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}
