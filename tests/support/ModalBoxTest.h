#pragma once

#include "ModalForm.h"

#include "support/MainWindowDriver.h"
#include "support/ModalWatcher.h"
#include "support/WebAddressRecorder.h"

#include <QTest>
#include <QWidget>

#include <functional>

// What the tests of one of the program's modal boxes share: the main window as the box's owner, the
// watcher that answers modal windows, the stand-in for the desktop, and the box's own show function with
// the global that points at the box while it is shown. A test class derives from it after QObject.
template <typename Box> class ModalBoxTest
{
protected:
    ModalBoxTest(Box* const& shownBox, void (*showOver)(QWidget*)) : shownBox_(shownBox), showOver_(showOver)
    {
    }

    // Shows the box through its show function and hands it, while shown, to `whileShown`, which must close
    // it.
    void showBox(const std::function<void(Box*)>& whileShown)
    {
        watcher.onModalWindow = [&](QWidget* window) {
            auto* box = dynamic_cast<Box*>(window);
            QVERIFY2(box, qPrintable(window->objectName()));
            whileShown(box);
            if (box->isVisible())
                box->reject();
        };
        showOver_(owner.get());
        watcher.onModalWindow = nullptr;
    }

    // For cleanup(): closes the owner and drops the hooks a test set, then fails the running test if a
    // message box or a web address went by that it did not take, or if the box outlived its showing.
    void closeOwnerAndVerifyNothingLeft()
    {
        owner.close();
        watcher.onModalWindow = nullptr;
        setModalFormHookForTesting({});
        watcher.verifyNoneUnexpected();
        QVERIFY(desktop.take().isEmpty());
        QVERIFY(!shownBox_);
    }

    MainWindowDriver owner;
    ModalWatcher watcher;
    WebAddressRecorder desktop;

private:
    Box* const& shownBox_;
    void (*showOver_)(QWidget*);
};
