#include "ExportOptions.h"
#include "model/Myexceloperation.h"

#include "support/ExcelOpFields.h"
#include "support/ModalWatcher.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <limits>
#include <memory>

namespace {

// The members in the order Update writes them; a failure stops the writing at its member.
const QStringList updateOrder{
    "plotAreaWidth",     "plotAreaHeight",    "showLegend",      "legendIncludeInLayout",
    "lineWeight",        "markerSize",        "showMarker",      "markerStyle",
    "tickLabelFontSize", "axisTitleFontSize", "legendFontSize",  "showGraphTitle",
    "graphTitle",        "titleFontSize",     "showAxisLine",    "xAxisPosition",
    "yAxisPosition",     "showAxisTitle",     "xAxisTitle",      "yAxisTitle",
    "showPlotAreaLine",  "lineColorMode",     "markerColorMode", "exportMode"};

// Every member away from what the untouched controls hold, so that each write shows.
const ExcelOp farFromTheControls{.reservedVariant = std::monostate{},
                                 .plotAreaWidth = -1,
                                 .plotAreaHeight = -2,
                                 .showLegend = false,
                                 .legendIncludeInLayout = true,
                                 .showGraphTitle = true,
                                 .graphTitle = "old title",
                                 .titleFontSize = -3,
                                 .showAxisLine = true,
                                 .xAxisPosition = "old x",
                                 .yAxisPosition = "old y",
                                 .showAxisTitle = true,
                                 .xAxisTitle = "old x title",
                                 .yAxisTitle = "old y title",
                                 .tickLabelFontSize = -4,
                                 .axisTitleFontSize = -5,
                                 .legendFontSize = -6,
                                 .showPlotAreaLine = true,
                                 .lineWeight = 9.75f,
                                 .lineColorMode = 7,
                                 .markerColorMode = 7,
                                 .showMarker = false,
                                 .markerSize = -7,
                                 .markerStyle = -8,
                                 .exportMode = 7};

// What the controls hold as the layout sets them up; the variant is never written.
const ExcelOp fromTheUntouchedControls{.reservedVariant = std::monostate{},
                                       .plotAreaWidth = 450,
                                       .plotAreaHeight = 250,
                                       .showLegend = true,
                                       .legendIncludeInLayout = false,
                                       .showGraphTitle = false,
                                       .graphTitle = "Graph Title",
                                       .titleFontSize = 14,
                                       .showAxisLine = false,
                                       .xAxisPosition = "-1000",
                                       .yAxisPosition = "-1000",
                                       .showAxisTitle = false,
                                       .xAxisTitle = "X Axis",
                                       .yAxisTitle = "Y Axis",
                                       .tickLabelFontSize = 10,
                                       .axisTitleFontSize = 10,
                                       .legendFontSize = 10,
                                       .showPlotAreaLine = false,
                                       .lineWeight = 0.5f,
                                       .lineColorMode = 0,
                                       .markerColorMode = 0,
                                       .showMarker = true,
                                       .markerSize = 4,
                                       .markerStyle = 8,
                                       .exportMode = 0};

QVariant member(const ExcelOp& record, const QString& name)
{
    for (const auto& [field, value] : fieldsOf(record)) {
        if (field == name)
            return value;
    }
    return {};
}

QString recordDifferences(const ExcelOp& actual, const ExcelOpFields& expected)
{
    return differences(fieldsOf(actual), expected).join(u"; ");
}

} // namespace

class TestExportOptions : public QObject
{
    Q_OBJECT

    std::unique_ptr<TExportOptionForm> form;
    ExcelOp record;
    ModalWatcher watcher;

    template <typename Control = QWidget> Control* control(const QString& name) const
    {
        return form->findChild<Control*>(name);
    }

    void click(const QString& name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }

    // Text goes into an edit or an editable combo, a number selects a combo's item, true or false
    // checks a box or a radio button.
    void setControl(const QString& name, const QVariant& value)
    {
        QWidget* widget = control(name);
        QVERIFY2(widget, qPrintable(name));
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            edit->setText(value.toString());
        else if (auto* combo = qobject_cast<QComboBox*>(widget);
                 combo && value.typeId() == QMetaType::QString)
            combo->setEditText(value.toString());
        else if (combo)
            combo->setCurrentIndex(value.toInt());
        else
            qobject_cast<QAbstractButton*>(widget)->setChecked(value.toBool());
    }

    QString shownText(const QString& name) const
    {
        const QWidget* widget = control(name);
        if (const auto* combo = qobject_cast<const QComboBox*>(widget))
            return combo->currentText();
        if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            return group->title();
        return widget->property("text").toString();
    }

private Q_SLOTS:
    void init()
    {
        record.SetDefaults();
        form = std::make_unique<TExportOptionForm>();
        form->bind(&record);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanup()
    {
        form.reset();
        watcher.verifyNoneUnexpected();
    }

    void newDialogIsHiddenAndBoundToNothing()
    {
        const TExportOptionForm fresh;
        QCOMPARE(fresh.objectName(), QStringLiteral("ExportOptionForm"));
        QCOMPARE(fresh.windowTitle(), QStringLiteral("Export Options"));
        QVERIFY(fresh.isWindow());
        QVERIFY(!fresh.isVisible());
        QCOMPARE(fresh.settings(), nullptr);
        QVERIFY(!fresh.findChild<QPushButton*>("btn1")->isEnabled());
        QCOMPARE(fresh.size(), QSize(463, 480));
        QCOMPARE(fresh.font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(fresh.font().pointSize(), 8);
    }

    void controlsStandWhereTheLayoutPutsThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QString group = "ExportOptionForm";
        const auto row = [&group](const char* name, int x, int y, int w, int h, const QString& text) {
            QTest::newRow(name) << QString::fromLatin1(name) << group << QRect(x, y, w, h) << text;
        };
        row("grp1", 8, 8, 217, 216, "Serie");
        row("grp2", 8, 230, 217, 243, "Axis");
        row("grp3", 237, 237, 214, 108, "Plot Area");
        row("btn1", 237, 444, 96, 25, "Update");
        row("btn2", 348, 444, 104, 25, "Close");
        row("grp4", 238, 8, 214, 105, "Lengend");
        row("grp5", 238, 119, 214, 112, "Title");
        row("grp6", 237, 357, 215, 81, "Export Mode");
        group = "grp1";
        row("lbl1", 24, 24, 56, 13, "Line Weight");
        row("lbl11", 24, 54, 47, 13, "Line Color");
        row("lbl3", 24, 108, 56, 13, "Maker Style");
        row("lbl4", 24, 135, 51, 13, "Maker Size");
        row("lbl12", 24, 167, 57, 13, "Maker Color");
        row("cbb1", 96, 21, 100, 21, "0.5");
        row("chk1", 96, 82, 97, 17, "Show Maker");
        row("cbb2", 96, 105, 100, 21, "8");
        row("cbb3", 96, 132, 100, 21, "4");
        row("cbb4", 96, 51, 100, 21, "Auto");
        row("cbb5", 96, 164, 100, 21, "Auto");
        group = "grp2";
        row("lbl2", 24, 42, 52, 13, "X Axis Title");
        row("lbl5", 24, 69, 52, 13, "Y Axis Title");
        row("lbl14", 24, 97, 44, 13, "Font Size");
        row("lbl9", 11, 156, 69, 13, "X Axis Position");
        row("lbl10", 11, 183, 69, 13, "Y Axis Position");
        row("lbl13", 11, 210, 87, 13, "Ticklabel Font Size");
        row("chk2", 96, 16, 97, 17, "Show Axis Title");
        row("edt1", 96, 39, 100, 21, "X Axis");
        row("edt2", 96, 66, 100, 21, "Y Axis");
        row("chk6", 96, 129, 97, 17, "Show Axis Line");
        row("edt6", 96, 153, 100, 21, "-1000");
        row("edt7", 96, 180, 100, 21, "-1000");
        row("edt8", 112, 207, 84, 21, "10");
        row("edt9", 96, 94, 100, 21, "10");
        group = "grp3";
        row("lbl6", 35, 24, 31, 13, "Height");
        row("lbl7", 35, 51, 28, 13, "Width");
        row("edt3", 97, 21, 95, 21, "250");
        row("edt4", 97, 48, 95, 21, "450");
        row("chk7", 35, 76, 137, 17, "Show Plot Area Line");
        group = "grp4";
        row("lbl15", 14, 79, 44, 13, "Font Size");
        row("chk3", 32, 25, 97, 17, "Show Lengend");
        row("chk4", 32, 51, 97, 17, "IncludeInLayout");
        row("edt10", 72, 75, 100, 21, "10");
        group = "grp5";
        row("lbl8", 32, 55, 20, 13, "Title");
        row("lbl16", 14, 82, 44, 13, "Font Size");
        row("chk5", 32, 28, 97, 17, "Show Graph Title");
        row("edt5", 72, 51, 100, 21, "Graph Title");
        row("edt11", 72, 78, 100, 21, "14");
        group = "grp6";
        row("rb1", 40, 24, 113, 17, "Single Output");
        row("rb2", 40, 47, 113, 17, "Combined Output");
    }

    void controlsStandWhereTheLayoutPutsThem()
    {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        const QWidget* widget = control(name);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(shownText(name), text);
        if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
            QCOMPARE(edit->maxLength(), std::numeric_limits<int>::max());
    }

    void choicesStartAsTheLayoutSetsThem()
    {
        const auto items = [this](const QString& name) {
            const auto* combo = control<QComboBox>(name);
            QStringList texts;
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
            return texts.join(u' ') + QStringLiteral(" @%1%2")
                                          .arg(combo->currentIndex())
                                          .arg(combo->isEditable() ? " editable" : "");
        };
        QCOMPARE(items("cbb1"), QStringLiteral("0 0.25 0.5 0.75 1 1.25 1.5 @2 editable"));
        QCOMPARE(items("cbb2"), QStringLiteral("1 2 3 4 5 6 7 8 9 @7"));
        QCOMPARE(items("cbb3"), QStringLiteral("2 3 4 5 6 7 8 9 10 @2 editable"));
        QCOMPARE(items("cbb4"), QStringLiteral("Auto Same as Plot Panel @0"));
        QCOMPARE(items("cbb5"), QStringLiteral("Auto Same as Plot Panel @0"));

        QStringList checked;
        for (const QAbstractButton* button : form->findChildren<QAbstractButton*>()) {
            if (button->isChecked())
                checked << button->objectName();
        }
        checked.sort();
        QCOMPARE(checked, QStringList({"chk1", "chk3", "rb1"}));
    }

    void tabVisitsTheGroupsInTurn()
    {
        const QStringList expected{"cbb1", "chk1", "cbb2", "cbb3",  "cbb4", "cbb5", "chk2",  "edt1", "edt2",
                                   "chk6", "edt6", "edt7", "edt8",  "edt9", "edt3", "edt4",  "chk7", "btn1",
                                   "btn2", "chk3", "chk4", "edt10", "chk5", "edt5", "edt11", "rb1"};
        // Of the two radio buttons only the checked one is a tab stop, so rb2 is passed over.
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        control(expected.last())->setFocus(Qt::TabFocusReason);
        QStringList visited;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            // An editable combo box hands the focus to its line edit.
            QWidget* focus = QApplication::focusWidget();
            while (focus->objectName().isEmpty() || focus->objectName().startsWith("qt_"))
                focus = focus->parentWidget();
            visited << focus->objectName();
        }
        QCOMPARE(visited.join(u' '), expected.join(u' '));
    }

    void updateWithUntouchedControlsChangesSevenMembers()
    {
        const ExcelOp before = record;
        click("btn1");
        QCOMPARE(changedMembers(before, record),
                 QStringList({"plotAreaWidth", "plotAreaHeight", "showAxisLine", "xAxisPosition",
                              "yAxisPosition", "showAxisTitle", "showPlotAreaLine"}));
        ExcelOp expected = before;
        expected.plotAreaWidth = 450;
        expected.plotAreaHeight = 250;
        expected.xAxisPosition = "-1000";
        expected.yAxisPosition = "-1000";
        expected.showAxisLine = false;
        expected.showAxisTitle = false;
        expected.showPlotAreaLine = false;
        QCOMPARE(recordDifferences(record, fieldsOf(expected)), QString());
        QVERIFY(std::holds_alternative<Null>(record.reservedVariant));
        QVERIFY(form->isVisible());
    }

    void updateWritesEveryControlIntoItsMember()
    {
        record = farFromTheControls;
        click("btn1");
        QCOMPARE(recordDifferences(record, fieldsOf(fromTheUntouchedControls)), QString());
    }

    // One control changed, then Update: the member it feeds, and the control still showing what was typed.
    void updateReadsEachControlByItsRule_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("stored");
        const auto row = [](const char* input, const char* name, const QVariant& value, const char* field,
                            const QVariant& stored) {
            QTest::newRow(input) << QString::fromLatin1(name) << value << QString::fromLatin1(field)
                                 << stored;
        };
        row("Width \"  450  \"", "edt4", "  450  ", "plotAreaWidth", 450);
        row("Width \"0\"", "edt4", "0", "plotAreaWidth", 0);
        row("Height \"$1F\"", "edt3", "$1F", "plotAreaHeight", 31);
        row("Height \"-7\"", "edt3", "-7", "plotAreaHeight", -7);
        row("Ticklabel Font Size \"0x10\"", "edt8", "0x10", "tickLabelFontSize", 16);
        row("Font Size \"+12\"", "edt9", "+12", "axisTitleFontSize", 12);
        row("Legend Font Size \"2147483647\"", "edt10", "2147483647", "legendFontSize", 2147483647);
        row("Title Font Size \"-2147483648\"", "edt11", "-2147483648", "titleFontSize",
            std::numeric_limits<int>::min());
        row("Line Weight \"0.3\"", "cbb1", "0.3", "lineWeight", 0.3f);
        row("Line Weight \"2\"", "cbb1", "2", "lineWeight", 2.0f);
        row("Line Weight \" -1.5 \"", "cbb1", " -1.5 ", "lineWeight", -1.5f);
        row("Line Weight item \"1.25\"", "cbb1", 5, "lineWeight", 1.25f);
        row("Maker Size \"2\"", "cbb3", "2", "markerSize", 2);
        row("Maker Size \"-1\"", "cbb3", "-1", "markerSize", -1);
        row("Maker Style item \"1\"", "cbb2", 0, "markerStyle", 1);
        row("Line Color \"Same as Plot Panel\"", "cbb4", 1, "lineColorMode", 1);
        row("Maker Color \"Same as Plot Panel\"", "cbb5", 1, "markerColorMode", 1);
        row("Combined Output", "rb2", true, "exportMode", 1);
        row("Show Lengend off", "chk3", false, "showLegend", false);
        row("IncludeInLayout on", "chk4", true, "legendIncludeInLayout", true);
        row("Show Maker off", "chk1", false, "showMarker", false);
        row("Show Graph Title on", "chk5", true, "showGraphTitle", true);
        row("Show Axis Line on", "chk6", true, "showAxisLine", true);
        row("Show Axis Title on", "chk2", true, "showAxisTitle", true);
        row("Show Plot Area Line on", "chk7", true, "showPlotAreaLine", true);
        row("Title \"  My graph \\t\"", "edt5", "  My graph \t", "graphTitle", QByteArray("My graph"));
        row("Title \"   \"", "edt5", "   ", "graphTitle", QByteArray(""));
        row("X Axis Position \" -1000 \"", "edt6", " -1000 ", "xAxisPosition", QByteArray(" -1000 "));
        row("Y Axis Position \"abc\"", "edt7", "abc", "yAxisPosition", QByteArray("abc"));
        row("X Axis Title \" x \"", "edt1", " x ", "xAxisTitle", QByteArray(" x "));
        // The tests run with a UTF-8 locale, so the code page is UTF-8.
        row("Y Axis Title \"温度 °C\"", "edt2", QString::fromUtf8("温度 °C"), "yAxisTitle",
            QByteArray("\xE6\xB8\xA9\xE5\xBA\xA6 \xC2\xB0"
                       "C"));
    }

    void updateReadsEachControlByItsRule()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, input);
        QFETCH(QString, field);
        QFETCH(QVariant, stored);
        setControl(name, input);
        const QString shown = shownText(name);
        click("btn1");
        QCOMPARE(member(record, field), stored);
        QCOMPARE(shownText(name), shown);
    }

    // Each step that can fail, from a record whose every member differs from the controls: the box, the
    // members written before the failing one, and the failing one and all after it as they were.
    void failedUpdateReportsAndKeepsTheRest_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("failing");
        const auto row = [](const char* input, const char* name, const QVariant& value,
                            const QString& message, const char* failing) {
            QTest::newRow(input) << QString::fromLatin1(name) << value << message
                                 << QString::fromLatin1(failing);
        };
        const auto notInteger = [](const QString& text) {
            return QStringLiteral("''%1'' is not a valid integer value.").arg(text);
        };
        row("Width \"\"", "edt4", "", "'''' is not a valid integer value.", "plotAreaWidth");
        row("Height \"12a\"", "edt3", "12a", notInteger("12a"), "plotAreaHeight");
        row("Height \"2147483648\"", "edt3", "2147483648", notInteger("2147483648"), "plotAreaHeight");
        row("Line Weight \"abc\"", "cbb1", "abc", "'abc' is not a valid floating point value.", "lineWeight");
        row("Line Weight \"0,5\"", "cbb1", "0,5", "'0,5' is not a valid floating point value.", "lineWeight");
        row("Line Weight \"1e39\"", "cbb1", "1e39", "Floating point overflow.", "lineWeight");
        row("Maker Size \" 4.5 \"", "cbb3", " 4.5 ", notInteger("4.5"), "markerSize");
        row("Maker Style with no item", "cbb2", -1, notInteger(""), "markerStyle");
        row("Ticklabel Font Size \"$\"", "edt8", "$", notInteger("$"), "tickLabelFontSize");
        row("Font Size \" 1 0 \"", "edt9", " 1 0 ", notInteger("1 0"), "axisTitleFontSize");
        row("Legend Font Size \"-2147483649\"", "edt10", "-2147483649", notInteger("-2147483649"),
            "legendFontSize");
        row("Title Font Size \"0x\"", "edt11", "0x", notInteger("0x"), "titleFontSize");
    }

    void failedUpdateReportsAndKeepsTheRest()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, input);
        QFETCH(QString, message);
        QFETCH(QString, failing);
        record = farFromTheControls;
        setControl(name, input);

        const QList<SeenBox> boxes = watcher.boxesDuring([&] { click("btn1"); });
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, message);
        QCOMPARE(boxes[0].title, QStringLiteral("Tolvane"));

        const QStringList written = updateOrder.first(updateOrder.indexOf(failing));
        ExcelOpFields expected = fieldsOf(farFromTheControls);
        for (auto& [field, value] : expected) {
            if (written.contains(field))
                value = member(fromTheUntouchedControls, field);
        }
        QCOMPARE(recordDifferences(record, expected), QString());
        QVERIFY(form->isVisible());
    }

    void lineWeightReadsTheDialogsDecimalSeparator()
    {
        form->setLocale(QLocale(QLocale::German, QLocale::Germany));
        setControl("cbb1", "0,3");
        click("btn1");
        QCOMPARE(record.lineWeight, 0.3f);

        setControl("cbb1", "0.25");
        const QList<SeenBox> boxes = watcher.boxesDuring([&] { click("btn1"); });
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, QStringLiteral("'0.25' is not a valid floating point value."));
        QCOMPARE(record.lineWeight, 0.3f);
    }

    void closeHidesAndShowingAgainKeepsTheValues()
    {
        setControl("edt4", "999");
        setControl("chk3", false);
        setControl("cbb4", 1);
        setControl("rb2", true);
        const ExcelOp before = record;
        click("btn2");
        QVERIFY(!form->isVisible());
        QCOMPARE(recordDifferences(record, fieldsOf(before)), QString());

        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(shownText("edt4"), QStringLiteral("999"));
        QVERIFY(!control<QCheckBox>("chk3")->isChecked());
        QCOMPARE(shownText("cbb4"), QStringLiteral("Same as Plot Panel"));
        QVERIFY(control<QRadioButton>("rb2")->isChecked());
        QCOMPARE(form->settings(), &record);
    }

    void unboundDialogWritesNowhere()
    {
        QVERIFY(control<QPushButton>("btn1")->isEnabled());
        form->bind(nullptr);
        QVERIFY(!control<QPushButton>("btn1")->isEnabled());
        QCOMPARE(form->settings(), nullptr);

        // Neither a click nor a call in code reaches the record that was bound before.
        const ExcelOp before = record;
        setControl("edt3", "123");
        setControl("edt4", "not a number");
        click("btn1");
        form->btn1Click();
        QCOMPARE(recordDifferences(record, fieldsOf(before)), QString());

        form->bind(&record);
        QVERIFY(control<QPushButton>("btn1")->isEnabled());
    }

    void showingCentresOverTheOwner_data()
    {
        QTest::addColumn<QRect>("owner");
        QTest::addColumn<bool>("pastTheCorner");
        QTest::newRow("800 x 600 at 100, 50") << QRect(100, 50, 800, 600) << false;
        QTest::newRow("200 x 200 at 0, 0") << QRect(0, 0, 200, 200) << true;
    }

    void showingCentresOverTheOwner()
    {
        QFETCH(QRect, owner);
        QFETCH(bool, pastTheCorner);
        QWidget window;
        window.setGeometry(owner);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        TExportOptionForm dialog(&window);
        QVERIFY(dialog.isWindow());
        for (const QPoint step : {QPoint(), QPoint(40, 30)}) {
            // Every showing centres afresh, after the owner has moved too.
            window.move(window.pos() + step);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            if (pastTheCorner) {
                // Centred it would start left of and above the desktop; it stops at the corner.
                QCOMPARE(dialog.frameGeometry().topLeft(), dialog.screen()->virtualGeometry().topLeft());
                break;
            }
            const QPoint offset = dialog.frameGeometry().center() - window.frameGeometry().center();
            QVERIFY2(offset.manhattanLength() <= 1,
                     qPrintable(QStringLiteral("off by %1, %2").arg(offset.x()).arg(offset.y())));
            dialog.hide();
        }
    }
};

QTEST_MAIN(TestExportOptions)
#include "tst_exportoptions.moc"
