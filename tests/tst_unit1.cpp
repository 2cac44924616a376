#include "Unit1.h"

#include "support/ExcelOpFields.h"
#include "support/MainWindowDriver.h"
#include "support/ModalWatcher.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <bit>
#include <memory>

namespace {

quint64 bits(double value)
{
    return std::bit_cast<quint64>(value);
}

} // namespace

class TestUnit1 : public QObject
{
    Q_OBJECT

    MainWindowDriver form;
    ModalWatcher watcher;

    static void compareBits(const QList<double>& actual, const QList<double>& expected)
    {
        QCOMPARE(actual.size(), expected.size());
        for (qsizetype i = 0; i < actual.size(); ++i) {
            if (bits(actual[i]) != bits(expected[i]))
                QFAIL(qPrintable(QStringLiteral("volume %1 is %2, expected %3")
                                     .arg(i)
                                     .arg(actual[i], 0, 'g', 17)
                                     .arg(expected[i], 0, 'g', 17)));
        }
    }

private Q_SLOTS:
    void init() { form.open(); }

    void cleanup()
    {
        form.close();
        watcher.verifyNoneUnexpected();
    }

    void startsWithTheStartValues()
    {
        QCOMPARE(form->objectName(), QStringLiteral("Form1"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Tolvane (20200318)"));
        QCOMPARE(form.fieldTexts(), QStringList({"1", "100", "0", "0", "100"}));
        compareBits(form.volumes(), {100, 0, 0, 100});
        QCOMPARE(form->mixState().stepCount, 0);
        QCOMPARE(form->mixState().spoonVolume, 0.0);
    }

    void exportSettingsStartFromTheirDefaults()
    {
        ExcelOp defaults;
        defaults.SetDefaults();
        QCOMPARE(differences(fieldsOf(form->exportSettings()), fieldsOf(defaults)).join(u"; "), QString());
        QVERIFY(std::holds_alternative<Null>(form->exportSettings().reservedVariant));
    }

    void commandsLeaveTheExportSettingsAlone()
    {
        // Away from the defaults, so that a reset would show.
        ExcelOp& settings = form->exportSettings();
        settings.reservedVariant = std::monostate{};
        settings.plotAreaWidth = 123;
        settings.graphTitle = "kept";
        const ExcelOp before = settings;
        form.click("btn1");
        form.click("btn2");
        form.click("btn3");
        QCOMPARE(form->mixState().stepCount, 0);
        QCOMPARE(differences(fieldsOf(settings), fieldsOf(before)).join(u"; "), QString());
    }

    void clientAreaIsFixedBelowTheMenu()
    {
        QCOMPARE(form->width(), 898);
        QCOMPARE(form->height() - form->menuBar()->height(), 569);
        QCOMPARE(form->statusBar()->height(), 24);
        QCOMPARE(form->statusBar()->objectName(), QStringLiteral("rzstsbr2"));
        QCOMPARE(form->menuBar()->objectName(), QStringLiteral("mm1"));
    }

    void controlsStandWhereTheLayoutPutsThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, int x, int y, int w, int h, const QString& text) {
            QTest::newRow(name) << QString::fromLatin1(name) << QRect(x, y, w, h) << text;
        };
        row("lbl1", 16, 11, 72, 13, "一勺酒的体积");
        row("edt1", 94, 8, 59, 21, "1");
        row("lbl5", 93, 35, 48, 13, "白酒体积");
        row("lbl6", 168, 35, 48, 13, "红酒体积");
        row("lbl2", 18, 63, 36, 13, "白酒杯");
        row("lbl3", 18, 87, 36, 13, "红酒杯");
        row("edt4", 91, 57, 59, 21, "100");
        row("edt6", 166, 57, 59, 21, "0");
        row("edt5", 91, 84, 59, 21, "0");
        row("edt7", 166, 84, 59, 21, "100");
        row("btn1", 18, 111, 207, 25, "红酒杯里加一勺白酒杯的酒");
        row("btn2", 18, 142, 207, 25, "白酒杯里加一勺红酒杯的酒");
        row("btn3", 18, 173, 207, 25, "初始化");
        row("cht1", 240, 8, 641, 249, QString());
        row("cht2", 240, 273, 641, 256, QString());
    }

    void controlsStandWhereTheLayoutPutsThem()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        const QWidget* control = form->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget(), form->centralWidget());
        QCOMPARE(control->geometry(), geometry);
        const QVariant shown = control->property("text");
        if (shown.isValid())
            QCOMPARE(shown.toString(), text);
    }

    void tabVisitsTransfersThenFieldsThenCharts()
    {
        const QStringList expected{"btn1", "btn2", "edt1", "edt4", "edt5",
                                   "edt6", "edt7", "cht1", "cht2", "btn3"};
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->findChild<QWidget*>(expected.last())->setFocus(Qt::TabFocusReason);
        QStringList visited;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited.join(u' '), expected.join(u' '));
    }

    void transfersEachWayShowFifteenDigits()
    {
        form.click("btn1");
        QCOMPARE(form.fieldTexts(), QStringList({"1", "99", "0", "1", "100"}));
        compareBits(form.volumes(), {99, 0, 1, 100});
        form.click("btn2");
        QCOMPARE(form.fieldTexts(), QStringList({"1", "99.009900990099", "0.99009900990099",
                                                 "0.99009900990099", "99.009900990099"}));
        compareBits(form.volumes(),
                    {99.00990099009901, 0.9900990099009901, 0.9900990099009901, 99.00990099009901});
        QCOMPARE(form->mixState().stepCount, 2);
        QCOMPARE(form->mixState().spoonVolume, 1.0);
    }

    void transferUsesTheModelNotTheTypedVolumes()
    {
        form.field("edt4")->setText("50");
        form.field("edt1")->setText(" 2 ");
        form.click("btn1");
        compareBits(form.volumes(), {98, 0, 2, 100});
        QCOMPARE(form.field("edt4")->text(), QStringLiteral("98"));
    }

    void initialiseReadsFieldsAndKeepsTheirTexts()
    {
        form.click("btn1");
        form.setFieldTexts({"junk is never read", "1e2", " 0", "0", "100"});
        form.click("btn3");
        compareBits(form.volumes(), {100, 0, 0, 100});
        QCOMPARE(form->mixState().stepCount, 0);
        QCOMPARE(form.fieldTexts(), QStringList({"junk is never read", "1e2", " 0", "0", "100"}));
        QCOMPARE(form->mixState().spoonVolume, 1.0);
    }

    void volumesUseExponentNotationAtTheEdges()
    {
        form.setFieldTexts({"0", "0.00001", "0", "1234567890123456", "0"});
        form.click("btn3");
        form.click("btn1");
        QCOMPARE(form.field("edt4")->text(), QStringLiteral("1E-5"));
        QCOMPARE(form.field("edt5")->text(), QStringLiteral("1.23456789012346E15"));
    }

    // Each failing command: the exact text of the one error box, and what the failure left stored.
    void failedCommandReportsAndKeepsWhatWasStored_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<double>>("volumesAfter");
        QTest::addColumn<int>("stepAfter");
        QTest::addColumn<double>("spoonAfter");
        QTest::addColumn<QStringList>("textsAfter");

        const QStringList start{"1", "100", "0", "0", "100"};
        const QList<double> startVolumes{100, 0, 0, 100};
        const auto withSpoon = [&](const QString& spoon) {
            return QStringList{spoon, "100", "0", "0", "100"};
        };

        for (const char* spoon : {"abc", " 2 5 ", "", "\t \n"}) {
            const QString trimmed = QString::fromLatin1(spoon).trimmed();
            QTest::addRow("spoon \"%s\"", spoon)
                << withSpoon(spoon) << QStringList{"btn2"}
                << QStringLiteral("'%1' is not a valid floating point value.").arg(trimmed) << startVolumes
                << 0 << 0.0 << withSpoon(spoon);
        }
        QTest::newRow("spoon 1e400 overflows")
            << withSpoon("1e400") << QStringList{"btn1"} << "Floating point overflow." << startVolumes << 0
            << 0.0 << withSpoon("1e400");
        QTest::newRow("spoon 0.5e400 overflows after a transfer")
            << start << QStringList{"btn1", "edt1=0.5e400", "btn1"} << "Floating point overflow."
            << QList<double>{99, 0, 1, 100} << 1 << 1.0 << QStringList{"0.5e400", "99", "0", "1", "100"};
        QTest::newRow("division by zero changes nothing but the spoon")
            << QStringList{"3", "5", "-5", "0", "100"} << QStringList{"btn3", "btn1"}
            << "Floating point division by zero." << QList<double>{5, -5, 0, 100} << 0 << 3.0
            << QStringList{"3", "5", "-5", "0", "100"};
        QTest::newRow("overflow at the target keeps the source update")
            << QStringList{"1e308", "100", "0", "1e308", "100"} << QStringList{"btn3", "btn1"}
            << "Floating point overflow." << QList<double>{-1e308, 0, 1e308, 100} << 0 << 1e308
            << QStringList{"1e308", "100", "0", "1e308", "100"};
        QTest::newRow("initialise stops at the field that is no number")
            << QStringList{"1", "7", "3", "x", "8"} << QStringList{"btn1", "set", "btn3"}
            << "'x' is not a valid floating point value." << QList<double>{7, 3, 1, 100} << 0 << 1.0
            << QStringList{"1", "7", "3", "x", "8"};
        QTest::newRow("initialise overflows at the last field")
            << QStringList{"1", "7", "3", "4", "-1e999"} << QStringList{"btn3"} << "Floating point overflow."
            << QList<double>{7, 3, 4, 100} << 0 << 0.0 << QStringList{"1", "7", "3", "4", "-1e999"};
    }

    void failedCommandReportsAndKeepsWhatWasStored()
    {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, commands);
        QFETCH(QString, message);

        // The texts go in at "set", or first of all when no command says where.
        if (!commands.contains("set"))
            form.setFieldTexts(texts);
        const QString failing = commands.takeLast();
        for (const QString& command : commands) {
            if (command == "set")
                form.setFieldTexts(texts);
            else if (command.startsWith("edt"))
                form.field(command.section('=', 0, 0))->setText(command.section('=', 1));
            else
                form.click(command);
        }
        QVERIFY(watcher.take().isEmpty());

        const QList<SeenBox> boxes = watcher.boxesDuring([&] { form.click(failing); });
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, message);
        QCOMPARE(boxes[0].title, QStringLiteral("Tolvane"));
        QCOMPARE(boxes[0].icon, QMessageBox::Critical);
        QCOMPARE(boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

        QFETCH(QList<double>, volumesAfter);
        QFETCH(int, stepAfter);
        QFETCH(double, spoonAfter);
        QFETCH(QStringList, textsAfter);
        compareBits(form.volumes(), volumesAfter);
        QCOMPARE(form->mixState().stepCount, stepAfter);
        QCOMPARE(bits(form->mixState().spoonVolume), bits(spoonAfter));
        QCOMPARE(form.fieldTexts(), textsAfter);

        // The window goes on working after the box.
        form.setFieldTexts({"1", "100", "0", "0", "100"});
        form.click("btn3");
        form.click("btn1");
        QCOMPARE(form.field("edt5")->text(), QStringLiteral("1"));
    }

    void commaLocaleReadsAndShowsComma()
    {
        form->setLocale(QLocale(QLocale::German, QLocale::Germany));
        form.click("btn1");
        form.click("btn2");
        QCOMPARE(form.field("edt4")->text(), QStringLiteral("99,009900990099"));

        form.field("edt1")->setText("0.5");
        const QList<SeenBox> boxes = watcher.boxesDuring([&] { form.click("btn1"); });
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, QStringLiteral("'0.5' is not a valid floating point value."));

        form.setFieldTexts({"1,5", "1,5", "0", "0", "100"});
        form.click("btn3");
        form.click("btn1");
        compareBits(form.volumes(), {0, 0, 1.5, 100});
        QCOMPARE(form.field("edt5")->text(), QStringLiteral("1,5"));
    }
};

QTEST_MAIN(TestUnit1)
#include "tst_unit1.moc"
