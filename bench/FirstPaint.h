#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

// Ends the run once `window` has been painted for the first time. The exit is queued, so the children
// painted in the same pass get painted first; it skips tearing the window down, which is no part of
// starting up.
class QuitAfterFirstPaint : public QObject
{
public:
    explicit QuitAfterFirstPaint(QObject* window) : window_(window) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
        }
        return false;
    }

private:
    QObject* window_;
    bool seen_ = false;
};
