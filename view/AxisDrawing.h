#pragma once

class Canvas;
class CTavView;
class PlotMapping;

// The optional parts of the picture: tick marks and labels at round values
// (with the grid when asked), and the residual strip under the plot.
void DrawAxisTicks(const CTavView& v, const PlotMapping& m, Canvas& dc);
// The axes' titles: X's name and unit, centred under the axis's labels, and
// the intensity's, turned, left of the intensity labels.
void DrawAxisTitles(const CTavView& v, const PlotMapping& m, Canvas& dc);
// Data minus model at each point of the display window, on a scale of its own
// symmetric about zero, with the zero line and the scale's end written at
// the strip's side.
void DrawResiduals(const CTavView& v, const PlotMapping& m, Canvas& dc);
