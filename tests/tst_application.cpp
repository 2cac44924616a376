#include "ExportOptions.h"
#include "Unit1.h"
#include "app/Application.h"
#include "app/ErrorReport.h"
#include "model/Exceptions.h"

#include "support/ModalWatcher.h"

#include <QMainWindow>
#include <QTest>
#include <QTimer>

#include <functional>
#include <new>

using namespace Qt::StringLiterals;

namespace {

// Start-up with a seam: a test can make the creation of the forms fail.
class TestableApplication : public TApplication
{
public:
    using TApplication::TApplication;

    std::function<void()> beforeForms;
    std::function<void()> afterForms;

protected:
    void CreateForms() override
    {
        if (beforeForms)
            beforeForms();
        TApplication::CreateForms();
        if (afterForms)
            afterForms();
    }
};

// A widget whose mouse handler throws whatever the test gives it.
class ThrowingWidget : public QWidget
{
public:
    std::function<void()> onPress;

protected:
    void mousePressEvent(QMouseEvent*) override { onPress(); }
};

TestableApplication* app = nullptr;

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT

    ModalWatcher watcher;

private Q_SLOTS:
    void cleanup() { QVERIFY(watcher.take().isEmpty()); }

    void fullStopFollowsTheLastCharacter_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Floating point overflow"
                                << "Floating point overflow.";
        QTest::newRow("digit") << "value 5"
                               << "value 5.";
        QTest::newRow("CJK") << "白酒"
                             << "白酒.";
        QTest::newRow("slash") << "a/"
                               << "a/.";
        QTest::newRow("apostrophe quote") << "'' is not a valid integer value"
                                          << "'' is not a valid integer value.";
        QTest::newRow("full stop") << "Done."
                                   << "Done.";
        QTest::newRow("comma") << "a,"
                               << "a,";
        QTest::newRow("hyphen") << "a-"
                                << "a-";
        QTest::newRow("parenthesis") << "(a)"
                                     << "(a)";
        QTest::newRow("exclamation") << "a!"
                                     << "a!";
        QTest::newRow("blank") << "a "
                               << "a ";
        QTest::newRow("control") << "a\n"
                                 << "a\n";
        QTest::newRow("empty") << ""
                               << "";
    }

    void fullStopFollowsTheLastCharacter()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(errorBoxText(message), shown);
    }

    // A message quoting a pasted megabyte would take seconds to lay out and show a person one cut-off
    // line; the box keeps 400 characters at each end.
    void longMessageShowsOnlyItsEndsInTheBox_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        const QString ellipsis = u"\u2026"_s;
        const QString tail = u"' is not a valid floating point value"_s;
        const QString emoji = u"\U0001F600"_s;

        QTest::newRow("1000 characters") << QString(1000, u'a') << QString(1000, u'a') + u"."_s;
        QTest::newRow("1001 characters")
            << QString(1001, u'a') << QString(400, u'a') + ellipsis + QString(400, u'a') + u"."_s;
        QTest::newRow("2000 characters ending in a full stop")
            << QString(1999, u'a') + u"."_s << QString(400, u'a') + ellipsis + QString(399, u'a') + u"."_s;
        QTest::newRow("a quoted megabyte")
            << u"'"_s + QString(1 << 20, u'9') + tail
            << u"'"_s + QString(399, u'9') + ellipsis + QString(400 - tail.size(), u'9') + tail + u"."_s;
        QTest::newRow("a pair of surrogates across the first cut")
            << QString(399, u'a') + emoji + QString(1000, u'b')
            << QString(399, u'a') + emoji + ellipsis + QString(400, u'b') + u"."_s;
        QTest::newRow("a pair of surrogates across the second cut")
            << QString(1000, u'a') + emoji + QString(399, u'b')
            << QString(400, u'a') + ellipsis + emoji + QString(399, u'b') + u"."_s;
    }

    void longMessageShowsOnlyItsEndsInTheBox()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(errorBoxText(message), shown);
    }

    void exceptionLeavingAnEventHandlerIsReportedOnce_data()
    {
        QTest::addColumn<std::function<void()>>("fault");
        QTest::addColumn<QString>("text");
        QTest::newRow("EOverflow") << std::function<void()>([] { throw EOverflow(); })
                                   << "Floating point overflow.";
        QTest::newRow("EConvertError")
            << std::function<void()>([] { throw EConvertError("'abc' is not a valid floating point value"); })
            << "'abc' is not a valid floating point value.";
        QTest::newRow("not an Exception") << std::function<void()>([] { throw 42; }) << "";
        QTest::newRow("std::exception")
            << std::function<void()>([] { throw std::runtime_error("lost"); }) << "";
    }

    void exceptionLeavingAnEventHandlerIsReportedOnce()
    {
        QFETCH(std::function<void()>, fault);
        QFETCH(QString, text);
        ThrowingWidget widget;
        widget.onPress = fault;
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));

        const QList<SeenBox> boxes = watcher.boxesDuring([&] { QTest::mouseClick(&widget, Qt::LeftButton); });
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, text);
        QCOMPARE(boxes[0].title, QStringLiteral("Tolvane"));
        QCOMPARE(boxes[0].icon, QMessageBox::Critical);
        QCOMPARE(boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

        // The loop goes on: the next event is handled as usual.
        bool pressed = false;
        widget.onPress = [&] {
            pressed = true;
        };
        QTest::mouseClick(&widget, Qt::LeftButton);
        QVERIFY(pressed);
    }

    void failureWhileCreatingFormsShowsOneBoxAndEnds()
    {
        app->beforeForms = [] {
            throw EOverflow();
        };
        int result = -1;
        const QList<SeenBox> boxes = watcher.boxesDuring([&] { result = app->Run(); });
        app->beforeForms = nullptr;
        QCOMPARE(result, 0);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, QStringLiteral("Floating point overflow."));
        QCOMPARE(Form1, nullptr);
        QCOMPARE(ExportOptionForm, nullptr);
    }

    void everyWindowShowsTheProgramIconInEveryDrawnSize()
    {
        const QIcon icon = app->windowIcon();
        const QList<QSize> sizes = icon.availableSizes();
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
        QCOMPARE(icon.pixmap(QSize(32, 32)).toImage(), QPixmap(":/icon/tolvane-32.png").toImage());
        const QWidget window;
        QCOMPARE(window.windowIcon().cacheKey(), icon.cacheKey());
    }

    // A failure once the main window exists: the one box, then no window left behind, and no pointer
    // to the destroyed window.
    void failureAfterTheMainWindowIsCreatedShowsOneBoxAndEnds_data()
    {
        QTest::addColumn<std::function<void()>>("fault");
        QTest::addColumn<QString>("text");
        QTest::newRow("EOverflow") << std::function<void()>([] { throw EOverflow(); })
                                   << "Floating point overflow.";
        QTest::newRow("EConvertError")
            << std::function<void()>([] { throw EConvertError("''x'' is not a valid integer value"); })
            << "''x'' is not a valid integer value.";
        QTest::newRow("std::bad_alloc") << std::function<void()>([] { throw std::bad_alloc(); }) << "";
    }

    void failureAfterTheMainWindowIsCreatedShowsOneBoxAndEnds()
    {
        QFETCH(std::function<void()>, fault);
        QFETCH(QString, text);
        bool mainWindowExisted = false;
        app->afterForms = [&] {
            mainWindowExisted = Form1 != nullptr;
            fault();
        };
        int result = -1;
        const QList<SeenBox> boxes = watcher.boxesDuring([&] { result = app->Run(); });
        app->afterForms = nullptr;
        QVERIFY(mainWindowExisted);
        QCOMPARE(result, 0);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, text);
        QCOMPARE(Form1, nullptr);
        for (const QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY2(!qobject_cast<const QMainWindow*>(widget), "a main window outlived the failed start-up");
    }

    void startUpShowsTheMainWindowCentredAndEndsWithZero()
    {
        QCOMPARE(app->Title, QStringLiteral("Tolvane"));
        bool checked = false;
        QTimer::singleShot(0, this, [&] {
            if (!Form1)
                return app->quit();
            // Centred on the primary screen, but never past its left or top edge.
            const QRect screen = QGuiApplication::primaryScreen()->geometry();
            const QPoint expected(qMax(screen.left(), screen.left() + (screen.width() - Form1->width()) / 2),
                                  qMax(screen.top(), screen.top() + (screen.height() - Form1->height()) / 2));
            checked = Form1->isVisible() && Form1->pos() == expected;
            // The export options dialog is made next, hidden, with no record to write to.
            checked = checked && ExportOptionForm && !ExportOptionForm->isVisible() &&
                      !ExportOptionForm->settings() && !ExportOptionForm->parentWidget();
            Form1->close();
        });
        QCOMPARE(app->Run(), 0);
        QVERIFY(checked);
    }
};

int main(int argc, char* argv[])
{
    TestableApplication application(argc, argv);
    app = &application;
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
