#include "model/Myexceloperation.h"

void ExcelOp::SetDefaults()
{
    reservedVariant = Null{};
    plotAreaWidth = 300;
    plotAreaHeight = 450;
    showLegend = true;
    legendIncludeInLayout = false;
    showGraphTitle = false;
    graphTitle = "Graph Title";
    titleFontSize = 14;
    showAxisLine = true;
    xAxisPosition = "-10000";
    yAxisPosition = "-10000";
    showAxisTitle = true;
    xAxisTitle = "X Axis";
    yAxisTitle = "Y Axis";
    tickLabelFontSize = 10;
    axisTitleFontSize = 10;
    legendFontSize = 10;
    showPlotAreaLine = true;
    lineWeight = 0.5f;
    lineColorMode = 0;
    markerColorMode = 0;
    showMarker = true;
    markerSize = 4;
    markerStyle = 8;
    exportMode = 0;
}
