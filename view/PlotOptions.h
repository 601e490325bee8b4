#pragma once

// How the intensity axis maps data to the plot's height.
enum class IntensityScale { kLinear, kSqrt, kLog };

// The classic picture, or the modern view: ticks, grid, axis titles, legend,
// residuals after a fit and curves kept inside the frame, all at once.
enum class PlotStyle { kClassic, kModern };

// The client area the plot follows, in device pixels.
struct PlotSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PlotSize&, const PlotSize&) = default;
};

// How the picture is drawn, apart from what it shows. None of it belongs to
// the document or to what a step can take back. The defaults draw the fixed
// picture: linear intensities, the range written at the corners, no residuals,
// curves unclipped, the plot window at its fixed place and size.
struct PlotOptions {
  IntensityScale scale = IntensityScale::kLinear;
  // Tick marks and labels at round values on both axes, instead of the range
  // at the corners; with grid, lines across the window at the ticks.
  bool ticks = false;
  bool grid = false;
  // A strip under the plot with data minus model, while a fit is on screen.
  bool residuals = false;
  // Curves and markers kept inside the plot frame.
  bool clip = false;
  // The plot window follows a client area of this size; width 0: fixed.
  PlotSize size;
  // The style last chosen; the options above and below stay changeable one
  // by one after it.
  PlotStyle style = PlotStyle::kClassic;
  // The axes' titles with their units, below the X axis and along the Y axis.
  bool titles = false;
  // A legend of the curves drawn, in the plot window's top-right corner.
  bool legend = false;
  friend bool operator==(const PlotOptions&, const PlotOptions&) = default;
};

// The options with the style's decorations on (modern) or off (classic); the
// intensity scale and the size stay as they are.
inline PlotOptions WithStyle(PlotOptions options, PlotStyle style) {
  const bool modern = style == PlotStyle::kModern;
  options.style = style;
  options.ticks = modern;
  options.grid = modern;
  options.residuals = modern;
  options.clip = modern;
  options.titles = modern;
  options.legend = modern;
  return options;
}
