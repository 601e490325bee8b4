#pragma once

#include <QPainter>
#include <QRect>
#include <QString>
#include <functional>

// What the small plots (series, Williamson–Hall) share: the data span of an
// axis, its tick step, the mapping from data to the frame's pixels, error
// bars, and saving a picture as PNG or SVG.

constexpr int kTickLength = 5;
constexpr int kFontPixels = 12;

struct Span {
  double lo = 0.0;
  double hi = 1.0;
};

// A step of 1, 2 or 5 times a power of ten giving about five ticks.
double TickStep(const Span& span);

// The span widened by 5% on each side; an empty or unknown one becomes ±1%
// about its value (±1 about 0).
Span PaddedSpan(Span span);

// Maps data to pixels of the frame.
struct Mapping {
  QRect frame;
  Span x;
  Span y;

  double Px(double v) const { return frame.left() + (v - x.lo) / (x.hi - x.lo) * frame.width(); }
  double Py(double v) const { return frame.bottom() - (v - y.lo) / (y.hi - y.lo) * frame.height(); }
};

// The frame of a plot drawn in area: inside the margins left for the ticks,
// the title and the X axis label.
QRect PlotFrame(const QRect& area);

// A white area with the frame, the title above it and the X axis label below,
// and the painter's font set for the ticks.
void DrawPlotBox(QPainter& painter, const QRect& area, const QRect& frame, const QString& title,
                 const QString& xLabel);

// Ticks with their values along the frame's left side, and along its
// bottom (for an X axis of real numbers).
void DrawYTicks(QPainter& painter, const Mapping& m);
void DrawXValueTicks(QPainter& painter, const Mapping& m);

// A mark at (x, y) with a vertical error bar of ±error (none for error <= 0),
// in the painter's pen and brush.
void DrawMarkWithErrorBar(QPainter& painter, const Mapping& m, double x, double y, double error);

// Draws a picture of size pixels with draw and saves it, as SVG when path
// ends in ".svg", as PDF when it ends in ".pdf" and as PNG otherwise, through a temporary file as
// every save does; false with the reason in error.
bool SavePicture(const QString& path, const QString& title, const QSize& size,
                 const std::function<void(QPainter&, const QRect&)>& draw, QString& error);
