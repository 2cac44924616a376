#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

// What a test saw of a modal message box before the watcher closed it.
struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Watches for modal windows while a GUI test runs, so a test that opens one unexpectedly fails instead
// of hanging. Message boxes are recorded and closed with OK; any other modal window goes to the
// handler, which must close it (by default it is rejected).
class ModalWatcher : public QObject
{
public:
    ModalWatcher();

    // The boxes seen since the last call, oldest first.
    QList<SeenBox> take();

    // Runs `action` and returns the boxes it opened.
    QList<SeenBox> boxesDuring(const std::function<void()>& action);

    // Fails the running test if a box showed that the test did not take, naming the first one's text (its
    // start only: a pasted text can make it a megabyte long).
    void verifyNoneUnexpected();

    std::function<void(QWidget*)> onModalWindow;

private:
    void poll();

    QTimer timer_;
    QList<SeenBox> seen_;
};
