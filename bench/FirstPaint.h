#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

// Ends the run once the window named `windowName` has been painted for the first time. The exit is queued, so
// the children painted in the same pass get painted first; it skips tearing the window down, which is no part
// of starting up.
class QuitAfterFirstPaint : public QObject
{
public:
    explicit QuitAfterFirstPaint(QString windowName) : windowName_(std::move(windowName))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_ && watched->objectName() == windowName_) {
            seen_ = true;
            QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
        }
        return false;
    }

private:
    QString windowName_;
    bool seen_ = false;
};
