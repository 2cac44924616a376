#include "support/ExcelOpFields.h"

#include <algorithm>

namespace {

QVariant shown(const Variant& value)
{
    return std::holds_alternative<Null>(value) ? QStringLiteral("Null") : QStringLiteral("empty");
}

QVariant shown(const std::string& text)
{
    return QByteArray::fromStdString(text);
}

} // namespace

ExcelOpFields fieldsOf(const ExcelOp& r)
{
    return {
        {"reservedVariant", shown(r.reservedVariant)},
        {"plotAreaWidth", r.plotAreaWidth},
        {"plotAreaHeight", r.plotAreaHeight},
        {"showLegend", r.showLegend},
        {"legendIncludeInLayout", r.legendIncludeInLayout},
        {"showGraphTitle", r.showGraphTitle},
        {"graphTitle", shown(r.graphTitle)},
        {"titleFontSize", r.titleFontSize},
        {"showAxisLine", r.showAxisLine},
        {"xAxisPosition", shown(r.xAxisPosition)},
        {"yAxisPosition", shown(r.yAxisPosition)},
        {"showAxisTitle", r.showAxisTitle},
        {"xAxisTitle", shown(r.xAxisTitle)},
        {"yAxisTitle", shown(r.yAxisTitle)},
        {"tickLabelFontSize", r.tickLabelFontSize},
        {"axisTitleFontSize", r.axisTitleFontSize},
        {"legendFontSize", r.legendFontSize},
        {"showPlotAreaLine", r.showPlotAreaLine},
        {"lineWeight", r.lineWeight},
        {"lineColorMode", r.lineColorMode},
        {"markerColorMode", r.markerColorMode},
        {"showMarker", r.showMarker},
        {"markerSize", r.markerSize},
        {"markerStyle", r.markerStyle},
        {"exportMode", r.exportMode},
    };
}

QStringList differences(const ExcelOpFields& actual, const ExcelOpFields& expected)
{
    QStringList lines;
    for (qsizetype i = 0; i < std::max(actual.size(), expected.size()); ++i) {
        const auto a = actual.value(i);
        const auto e = expected.value(i);
        if (a.first != e.first || a.second != e.second || a.second.metaType() != e.second.metaType())
            lines << QStringLiteral("%1: %2 != %3").arg(e.first, a.second.toString(), e.second.toString());
    }
    return lines;
}

QStringList changedMembers(const ExcelOp& before, const ExcelOp& after)
{
    QStringList names;
    const ExcelOpFields a = fieldsOf(before);
    const ExcelOpFields b = fieldsOf(after);
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].second != b[i].second)
            names << a[i].first;
    }
    return names;
}
