#include "model/Myexceloperation.h"

#include "support/ExcelOpFields.h"

#include <QTest>

#include <cstdint>
#include <limits>
#include <string>
#include <type_traits>

// The member types are part of the record's contract with whoever reads it.
static_assert(std::is_same_v<decltype(ExcelOp::reservedVariant), Variant>);
static_assert(std::is_same_v<decltype(ExcelOp::plotAreaWidth), std::int32_t>);
static_assert(std::is_same_v<decltype(ExcelOp::graphTitle), std::string>);
static_assert(std::is_same_v<decltype(ExcelOp::showLegend), bool>);
static_assert(std::is_same_v<decltype(ExcelOp::lineWeight), float> &&
              std::numeric_limits<float>::digits == 24 && sizeof(float) == 4);

Q_DECLARE_METATYPE(ExcelOp)

class TestMyexceloperation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newRecordHoldsZerosEmptyTextsAndAnEmptyVariant()
    {
        const ExcelOp record;
        QVERIFY(std::holds_alternative<std::monostate>(record.reservedVariant));
        for (const auto& [name, value] : fieldsOf(record)) {
            if (name == "reservedVariant")
                continue;
            // A default-constructed value of the member's own type: 0, false, 0.0f or no bytes.
            QVERIFY2(value == QVariant(value.metaType()), qPrintable(name + " is " + value.toString()));
        }
    }

    void nullIsAValueDistinctFromEmpty()
    {
        QVERIFY(Variant(Null{}) != Variant());
        QVERIFY(Variant(Null{}) == Variant(Null{}));
        QVERIFY(Variant() == Variant(std::monostate{}));
    }

    void setDefaultsGivesEveryMemberItsStartingValue_data()
    {
        QTest::addColumn<ExcelOp>("record");
        QTest::newRow("new record") << ExcelOp{};
        // Every member away from both its empty and its starting value.
        QTest::newRow("record holding other values") << ExcelOp{.reservedVariant = std::monostate{},
                                                                .plotAreaWidth = -1,
                                                                .plotAreaHeight = -2,
                                                                .showLegend = false,
                                                                .legendIncludeInLayout = true,
                                                                .showGraphTitle = true,
                                                                .graphTitle = "t",
                                                                .titleFontSize = -3,
                                                                .showAxisLine = false,
                                                                .xAxisPosition = "x",
                                                                .yAxisPosition = "y",
                                                                .showAxisTitle = false,
                                                                .xAxisTitle = "",
                                                                .yAxisTitle = "",
                                                                .tickLabelFontSize = -4,
                                                                .axisTitleFontSize = -5,
                                                                .legendFontSize = -6,
                                                                .showPlotAreaLine = false,
                                                                .lineWeight = 7.5f,
                                                                .lineColorMode = 1,
                                                                .markerColorMode = 1,
                                                                .showMarker = false,
                                                                .markerSize = -8,
                                                                .markerStyle = -9,
                                                                .exportMode = 1};
    }

    void setDefaultsGivesEveryMemberItsStartingValue()
    {
        QFETCH(ExcelOp, record);
        record.SetDefaults();
        // Designated initialisers compile only in declaration order, so this also pins the order.
        const ExcelOp expected{.reservedVariant = Null{},
                               .plotAreaWidth = 300,
                               .plotAreaHeight = 450,
                               .showLegend = true,
                               .legendIncludeInLayout = false,
                               .showGraphTitle = false,
                               .graphTitle = "Graph Title",
                               .titleFontSize = 14,
                               .showAxisLine = true,
                               .xAxisPosition = "-10000",
                               .yAxisPosition = "-10000",
                               .showAxisTitle = true,
                               .xAxisTitle = "X Axis",
                               .yAxisTitle = "Y Axis",
                               .tickLabelFontSize = 10,
                               .axisTitleFontSize = 10,
                               .legendFontSize = 10,
                               .showPlotAreaLine = true,
                               .lineWeight = 0.5f,
                               .lineColorMode = 0,
                               .markerColorMode = 0,
                               .showMarker = true,
                               .markerSize = 4,
                               .markerStyle = 8,
                               .exportMode = 0};
        QCOMPARE(differences(fieldsOf(record), fieldsOf(expected)).join(u"; "), QString());
        QVERIFY(std::holds_alternative<Null>(record.reservedVariant));
    }
};

QTEST_GUILESS_MAIN(TestMyexceloperation)
#include "tst_myexceloperation.moc"
