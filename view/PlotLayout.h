#pragma once

#include "view/PlotGeometry.h"
#include "view/PlotOptions.h"

// Where the parts of the picture lie, in device pixels. The default layout is
// the fixed one of PlotGeometry.h; a plot that follows its client area scales
// every margin and anchor with it.
struct PlotLayout {
  // The plot window.
  int left = plot::kLeft;
  int right = plot::kRight;
  int top = plot::kTop;
  int bottom = plot::kBottom;
  // The residual strip's rows top..bottom-1 (empty when strip == false).
  bool strip = false;
  int stripTop = 0;
  int stripBottom = 0;
  // Top-left corners of the title and the range labels.
  int titleX = plot::kTitleX;
  int titleY = plot::kTitleY;
  int xLabelY = plot::kXLabelY;
  int xMinLabelX = plot::kXMinLabelX;
  int xMaxLabelX = plot::kXMaxLabelX;
  int yLabelX = plot::kYLabelX;
  int yMaxLabelY = plot::kYMaxLabelY;
  int yMinLabelY = plot::kYMinLabelY;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  // Curve samples 0..Width(), one per column of the window.
  int Samples() const { return Width() + 1; }
};

// The layout of the given options; withStrip: a residual strip is shown.
PlotLayout LayoutFor(const PlotOptions& options, bool withStrip);
