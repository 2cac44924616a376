#include "support/ProgramWindows.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <memory>

// What a screen reader hears of each window: the name and description of every control, and which
// caption is tied to which field. The order in which Tab visits the main window's controls is checked by
// tst_unit1 (tabVisitsTransfersThenFieldsThenCharts); here only that every stop on the way has a name.
class TestAccessibility : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramWindows> windows;

    static QString spoken(QWidget* widget, QAccessible::Text what)
    {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        return accessible ? accessible->text(what) : QString();
    }

    // Qt on Linux gives a combo box's current value as its name and leaves naming it to the caption tied
    // to it; the name set on it is what the other platforms speak.
    static QString nameOf(QWidget* widget)
    {
#ifdef Q_OS_UNIX
        if (qobject_cast<QComboBox*>(widget))
            return widget->accessibleName();
#endif
        return spoken(widget, QAccessible::Name);
    }

private Q_SLOTS:
    void init()
    {
        windows = std::make_unique<ProgramWindows>();
    }
    void cleanup()
    {
        windows.reset();
    }

    // An empty description is not checked: there the control has nothing to add to its name. An empty
    // caption means no caption stands for the control on its own.
    void controlsSpeakTheirNames_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("caption");
        const auto row = [](const char* window, const char* control, const QString& name,
                            const QString& description = {}, const char* caption = "") {
            QTest::addRow("%s %s", window, control)
                << QString::fromLatin1(window) << QString::fromLatin1(control) << name << description
                << QString::fromLatin1(caption);
        };

        // The four volumes stand in a grid: the cup is the row, the liquor the column.
        row("main", "edt1", "一勺酒的体积", {}, "lbl1");
        row("main", "edt4", "白酒杯 白酒体积");
        row("main", "edt6", "白酒杯 红酒体积");
        row("main", "edt5", "红酒杯 白酒体积");
        row("main", "edt7", "红酒杯 红酒体积");
        row("main", "btn1", "红酒杯里加一勺白酒杯的酒");
        row("main", "btn2", "白酒杯里加一勺红酒杯的酒");
        row("main", "btn3", "初始化");
        row("main", "cht1", "白酒杯", "每一步之后白酒杯里红酒（红）和白酒（白）的体积");
        row("main", "cht2", "红酒杯", "每一步之后红酒杯里红酒（红）和白酒（白）的体积");
        row("main", "rzfldsts2", "www.example.org");

        // Each field is named by its group and its caption, as the eye reads it.
        row("export", "cbb1", "Serie: Line Weight", {}, "lbl1");
        row("export", "cbb4", "Serie: Line Color", {}, "lbl11");
        row("export", "chk1", "Show Maker");
        row("export", "cbb2", "Serie: Maker Style", {}, "lbl3");
        row("export", "cbb3", "Serie: Maker Size", {}, "lbl4");
        row("export", "cbb5", "Serie: Maker Color", {}, "lbl12");
        row("export", "chk2", "Show Axis Title");
        row("export", "edt1", "Axis: X Axis Title", {}, "lbl2");
        row("export", "edt2", "Axis: Y Axis Title", {}, "lbl5");
        row("export", "edt9", "Axis: Font Size", {}, "lbl14");
        row("export", "chk6", "Show Axis Line");
        row("export", "edt6", "Axis: X Axis Position", {}, "lbl9");
        row("export", "edt7", "Axis: Y Axis Position", {}, "lbl10");
        row("export", "edt8", "Axis: Ticklabel Font Size", {}, "lbl13");
        row("export", "edt3", "Plot Area: Height", {}, "lbl6");
        row("export", "edt4", "Plot Area: Width", {}, "lbl7");
        row("export", "chk7", "Show Plot Area Line");
        row("export", "chk3", "Show Lengend");
        row("export", "chk4", "IncludeInLayout");
        row("export", "edt10", "Lengend: Font Size", {}, "lbl15");
        row("export", "chk5", "Show Graph Title");
        row("export", "edt5", "Title: Title", {}, "lbl8");
        row("export", "edt11", "Title: Font Size", {}, "lbl16");
        row("export", "rb1", "Single Output");
        row("export", "rb2", "Combined Output");
        row("export", "btn1", "Update");
        row("export", "btn2", "Close");

        row("about", "img1", "Tolvane");
        row("about", "img2", "扫描二维码关注微信公众号");
        row("about", "img3", "THANKS");
        row("about", "lbl6", "http://www.example.org");
        row("about", "lbl14", "http://www.example.org/?page_id=10");
        row("about", "lbl11", "http://www.example.org/?page_id=20");
        row("about", "lbl9", "www.example.org !!!");
        row("about", "OKButton", "OK");

        const QString thanks = "欢迎给我捐助，www.example.org坚持分享知识，分享免费软件。";
        row("donation", "img2", "Pay service A (placeholder)");
        row("donation", "img4", "Pay service B (placeholder)");
        row("donation", "img1", thanks, "Pay service A (placeholder)");
        row("donation", "img3", thanks, "Pay service B (placeholder)");
        row("donation", "lbl11", "http://www.example.org/?page_id=20");
        row("donation", "btn1", "Close");
    }

    void controlsSpeakTheirNames()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QFETCH(QString, caption);
        QWidget* shown = windows->window(window);
        QVERIFY(shown);
        auto* widget = shown->findChild<QWidget*>(control);
        QVERIFY(widget);

        // The blanks that pad some captions out to their old widths are not heard.
        QCOMPARE(nameOf(widget).trimmed(), name);
        if (!description.isEmpty())
            QCOMPARE(spoken(widget, QAccessible::Description), description);

        if (!caption.isEmpty()) {
            auto* label = shown->findChild<QLabel*>(caption);
            QVERIFY(label);
            QCOMPARE(label->buddy(), widget);
            // The group box around a field is one of its labels too; the caption must be among them.
            const auto labels = QAccessible::queryAccessibleInterface(widget)->relations(QAccessible::Label);
            QVERIFY(std::any_of(labels.begin(), labels.end(),
                                [label](const auto& relation) { return relation.first->object() == label; }));
        }
    }

    // A control the keyboard can reach but that says nothing leaves a screen reader silent at that stop.
    void everyTabStopHasAName_data()
    {
        QTest::addColumn<QString>("window");
        for (const QString& window : ProgramWindows::names)
            QTest::newRow(qPrintable(window)) << window;
    }

    void everyTabStopHasAName()
    {
        QFETCH(QString, window);
        QWidget* shown = windows->window(window);
        QVERIFY(shown);
        QStringList stops;
        for (QWidget* widget = shown->nextInFocusChain(); widget != shown;
             widget = widget->nextInFocusChain()) {
            // A control's inner parts hand their focus to it and are spoken as part of it.
            if (!(widget->focusPolicy() & Qt::TabFocus) || widget->focusProxy() ||
                !widget->isVisibleTo(shown) || !widget->isEnabled())
                continue;
            stops << widget->objectName();
            QVERIFY2(!spoken(widget, QAccessible::Name).trimmed().isEmpty(),
                     qPrintable(widget->objectName()));
        }
        QVERIFY2(!stops.isEmpty(), "no tab stop found");
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
