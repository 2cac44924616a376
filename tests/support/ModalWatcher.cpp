#include "support/ModalWatcher.h"

#include <QApplication>
#include <QDialog>
#include <QTest>

ModalWatcher::ModalWatcher()
{
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, &ModalWatcher::poll);
    timer_.start();
}

QList<SeenBox> ModalWatcher::take()
{
    return std::exchange(seen_, {});
}

QList<SeenBox> ModalWatcher::boxesDuring(const std::function<void()>& action)
{
    take();
    action();
    return take();
}

void ModalWatcher::verifyNoneUnexpected()
{
    const QList<SeenBox> unexpected = take();
    QVERIFY2(unexpected.isEmpty(),
             qPrintable(QStringLiteral("unexpected error box: ") + unexpected.value(0).text.left(200)));
}

void ModalWatcher::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        seen_.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
        box->done(QMessageBox::Ok);
    } else if (onModalWindow) {
        onModalWindow(modal);
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
    } else {
        modal->close();
    }
}
