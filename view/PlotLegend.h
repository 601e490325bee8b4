#pragma once

class Canvas;
class CTavView;
class PlotMapping;

// A legend of what the picture shows (data, model, components, background,
// residuals, the estimated baseline), each with its colour, in a framed box
// in the plot window's top-right corner.
void DrawLegend(const CTavView& v, const PlotMapping& m, Canvas& dc);
