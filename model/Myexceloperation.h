#pragma once

#include <cstdint>
#include <string>
#include <variant>

// The "no value" state of a variant. It is a value of its own, distinct from a variant that was never
// assigned anything (std::monostate).
struct Null
{
    friend bool operator==(Null, Null) = default;
};

// Holds nothing until it is given a value; Null is the only value it is ever given.
using Variant = std::variant<std::monostate, Null>;

// The settings a chart export works from. A plain record: a new one holds zeros, empty strings and
// false until SetDefaults gives it the values an export starts with. Texts are 8-bit strings in the
// system's code page, not UTF-16 as on screen.
struct ExcelOp
{
    Variant reservedVariant;
    std::int32_t plotAreaWidth = 0;
    std::int32_t plotAreaHeight = 0;
    bool showLegend = false;
    bool legendIncludeInLayout = false;
    bool showGraphTitle = false;
    std::string graphTitle;
    std::int32_t titleFontSize = 0;
    bool showAxisLine = false;
    std::string xAxisPosition;
    std::string yAxisPosition;
    bool showAxisTitle = false;
    std::string xAxisTitle;
    std::string yAxisTitle;
    std::int32_t tickLabelFontSize = 0;
    std::int32_t axisTitleFontSize = 0;
    std::int32_t legendFontSize = 0;
    bool showPlotAreaLine = false;
    float lineWeight = 0;
    std::int32_t lineColorMode = 0;
    std::int32_t markerColorMode = 0;
    bool showMarker = false;
    std::int32_t markerSize = 0;
    std::int32_t markerStyle = 0;
    std::int32_t exportMode = 0;

    // Every member, the variant included, gets its starting value.
    void SetDefaults();
};
