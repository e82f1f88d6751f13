#pragma once

#include "charts/chart_colors.h"
#include "charts/trend_layout.h"

class QPainter;

namespace tesselo::chart {

// The trend chart drawn from its layout: what is worked out there is only
// painted here.

// The grid, the axes with their labels and captions, and the legend.
void DrawTrendAxes(QPainter& p, const TrendLayout& layout, const ChartColors& c);
// The wins in view as dots and the lines over them, into a picture of the
// painter's pixel ratio. However many wins, no more dots than the pixels
// can tell apart and lines thinned to the pixel columns (chart_scale.h).
// Returns the dots drawn.
int DrawTrendWins(QPainter& p, const TrendLayout& layout, const ProgressSeries& series, const ChartColors& c);

} // namespace tesselo::chart
