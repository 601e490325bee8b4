#include "view/PlotLayout.h"

#include <algorithm>

namespace {

// The smallest client area a following plot is laid out in.
constexpr int kMinWidth = 200;
constexpr int kMinHeight = 150;

// A coordinate of the fixed picture scaled to a side of `side` pixels.
int Scaled(int fixed, int fixedSide, int side) {
  return static_cast<int>(static_cast<long long>(fixed) * side / fixedSide);
}

PlotLayout ScaledLayout(const PlotSize& size) {
  const int w = std::max(size.width, kMinWidth);
  const int h = std::max(size.height, kMinHeight);
  const auto x = [w](int fixed) { return Scaled(fixed, plot::kPictureWidth, w); };
  const auto y = [h](int fixed) { return Scaled(fixed, plot::kPictureHeight, h); };
  PlotLayout l;
  l.left = x(plot::kLeft);
  l.right = w - x(plot::kPictureWidth - plot::kRight);
  l.top = y(plot::kTop);
  l.bottom = h - y(plot::kPictureHeight - plot::kBottom);
  l.titleX = x(plot::kTitleX);
  l.titleY = y(plot::kTitleY);
  l.xLabelY = l.bottom + (plot::kXLabelY - plot::kBottom);
  l.xMinLabelX = l.left;
  l.xMaxLabelX = l.right - (plot::kRight - plot::kXMaxLabelX);
  l.yLabelX = x(plot::kYLabelX);
  l.yMaxLabelY = l.top;
  l.yMinLabelY = l.bottom - (plot::kBottom - plot::kYMinLabelY);
  return l;
}

// The strip takes the lowest fifth of the window, below a gap.
void AddStrip(PlotLayout& l) {
  const int height = l.Height();
  const int strip = height / 5;
  const int gap = std::max(4, height / 30);
  l.strip = true;
  l.stripBottom = l.bottom;
  l.stripTop = l.bottom - strip;
  l.bottom = l.stripTop - gap;
  l.yMinLabelY = l.bottom - (plot::kBottom - plot::kYMinLabelY);
}

}  // namespace

PlotLayout LayoutFor(const PlotOptions& options, bool withStrip) {
  PlotLayout l = options.size.width > 0 ? ScaledLayout(options.size) : PlotLayout{};
  if (withStrip) AddStrip(l);
  return l;
}
