#pragma once

#include "ModalForm.h"
#include "model/Exceptions.h"

#include "support/MainWindowDriver.h"
#include "support/ModalWatcher.h"
#include "support/WebAddressRecorder.h"

#include <QDialog>
#include <QList>
#include <QPoint>
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

    // Each showing makes a new box over the owner, centred on it, which the global points at while it is
    // shown and which is destroyed when it closes.
    void verifyBoxExistsOnlyWhileShownCentredOverItsOwner()
    {
        QVERIFY(!shownBox_);
        QList<Box*> globalWhileShown;
        QList<QWidget*> parents;
        QList<QPoint> offsets;
        int destroyed = 0;
        for (int opening = 0; opening < 2; ++opening) {
            showBox([&](Box* box) {
                globalWhileShown << shownBox_;
                parents << box->parentWidget();
                offsets << box->frameGeometry().center() - owner->frameGeometry().center();
                QObject::connect(box, &QObject::destroyed, &watcher, [&] { ++destroyed; });
                QCOMPARE(shownBox_, box);
            });
            QVERIFY(!shownBox_);
        }
        QCOMPARE(globalWhileShown.size(), 2);
        QVERIFY(globalWhileShown[0] && globalWhileShown[1]);
        QCOMPARE(destroyed, 2);
        QCOMPARE(parents, QList<QWidget*>({owner.get(), owner.get()}));
        // Qt centres the frame, guessing a title bar's size where no window manager reports one.
        for (const QPoint offset : offsets)
            QVERIFY2(qAbs(offset.x()) <= 10 && qAbs(offset.y()) <= 40,
                     qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    }

    // A failure while the box is shown destroys the box, clears the global and reaches the caller.
    void verifyFailureWhileShowingDestroysTheBoxAndReachesTheCaller()
    {
        bool destroyed = false;
        bool wasGlobal = false;
        setModalFormHookForTesting([&](QDialog* form) {
            wasGlobal = form == shownBox_;
            QObject::connect(form, &QObject::destroyed, &watcher, [&] { destroyed = true; });
            throw EOverflow();
        });
        QVERIFY_THROWS_EXCEPTION(EOverflow, showOver_(owner.get()));
        QVERIFY(wasGlobal);
        QVERIFY(destroyed);
        QVERIFY(!shownBox_);
        QVERIFY(owner->findChildren<QDialog*>().isEmpty());
    }

    MainWindowDriver owner;
    ModalWatcher watcher;
    WebAddressRecorder desktop;

private:
    Box* const& shownBox_;
    void (*showOver_)(QWidget*);
};
