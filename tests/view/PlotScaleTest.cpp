#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "tests/support/LoadedProfile.h"
#include "view/AnsweringHost.h"
#include "view/AxisTicks.h"
#include "view/TavView.h"

namespace {

class PlotScaleTest : public ::testing::Test {
 protected:
  PlotScaleTest() : view(doc, host) {
    // Counts from zero to a thousand times the background.
    LoadSpectrum(view, {10, 12, 15, 20, 25}, {0, 30, 30000, 40, 25});
  }
  void SetScale(IntensityScale scale) {
    PlotOptions options = view.Plot();
    options.scale = scale;
    view.SetPlotOptions(options);
  }
  void SetSize(int w, int h) {
    PlotOptions options = view.Plot();
    options.size = PlotSize{w, h};
    view.SetPlotOptions(options);
  }
  void Drag(int x0, int y0, int x1, int y1) {
    view.OnRangeSet();
    view.OnLButtonDown(x0, y0);
    view.OnMouseMove(x1, y1);
    view.OnLButtonUp(x1, y1);
  }

  CTavDoc doc;
  AnsweringHost host;
  CTavView view;
};

}  // namespace

TEST_F(PlotScaleTest, DefaultLayoutIsTheFixedPictureAtItsOwnSizeToo) {
  for (const PlotSize size : {PlotSize{}, PlotSize{700, 400}}) {
    PlotOptions options;
    options.size = size;
    const PlotLayout l = LayoutFor(options, false);
    EXPECT_EQ(l.left, 100);
    EXPECT_EQ(l.right, 650);
    EXPECT_EQ(l.top, 50);
    EXPECT_EQ(l.bottom, 350);
    EXPECT_EQ(l.xLabelY, 360);
    EXPECT_EQ(l.xMaxLabelX, 640);
    EXPECT_EQ(l.yLabelX, 35);
    EXPECT_EQ(l.yMinLabelY, 330);
    EXPECT_EQ(l.titleX, 250);
    EXPECT_EQ(l.titleY, 30);
  }
}

// A double-click places the peak at the intensity under the cursor under
// every scale, and a drag zooms to the intensities under its corners.
TEST_F(PlotScaleTest, PeaksAndZoomLandOnTheIntensityUnderThePointer) {
  for (const IntensityScale scale :
       {IntensityScale::kLinear, IntensityScale::kSqrt, IntensityScale::kLog}) {
    SCOPED_TRACE(static_cast<int>(scale));
    view.OnRangeReset();
    SetScale(scale);
    view.OnPeakPosition();
    for (int py = 60; py < 350; py += 37) {
      view.OnRangeSet();
      view.OnPeakPosition();
      view.OnLButtonDblClk(333, py);
      const double y = view.Peaks().m_height[1];
      EXPECT_LE(std::abs(view.YToPixel(y) - py), 1) << py;
    }
    Drag(150, 120, 500, 300);
    EXPECT_LE(std::abs(view.YToPixel(view.Range().m_yMax) - 50), 1);
    EXPECT_GE(view.YToPixel(view.Range().m_yMin), 349);
    EXPECT_LE(std::abs(view.XToPixel(view.Range().m_xMin) - 100), 1);
    // The range dialog, given the dragged range, shows the same picture.
    const DisplayRange dragged = view.Range();
    host.range = RangeValues{dragged.m_xMin, dragged.m_xMax, dragged.m_yMin, dragged.m_yMax};
    view.OnRangeInput();
    EXPECT_EQ(view.Range().m_yMin, dragged.m_yMin);
    EXPECT_EQ(view.Range().m_yMax, dragged.m_yMax);
  }
}

TEST_F(PlotScaleTest, LogScaleDrawsZeroOnTheBottomEdge) {
  SetScale(IntensityScale::kLog);
  EXPECT_EQ(view.YToPixel(0.0), 350);
  EXPECT_EQ(view.YToPixel(-5.0), 350);
  EXPECT_EQ(view.YToPixel(30000.0), 50);
  // The floor is a thousandth of the top: three decades over 300 pixels.
  EXPECT_NEAR(view.YToPixel(30.0), 350, 1);
  EXPECT_NEAR(view.YToPixel(300.0), 250, 1);
}

// A window twice the fixed size: the same data under the same relative
// positions, so a drag and a double-click give what they give at the fixed
// size.
TEST_F(PlotScaleTest, ScaledWindowMapsPointerToTheSameData) {
  Drag(150, 120, 500, 300);
  const DisplayRange fixed = view.Range();
  view.OnRangeReset();
  SetSize(1400, 800);
  Drag(300, 240, 1000, 600);
  EXPECT_EQ(view.Range().m_xMin, fixed.m_xMin);
  EXPECT_EQ(view.Range().m_xMax, fixed.m_xMax);
  EXPECT_EQ(view.Range().m_yMin, fixed.m_yMin);
  EXPECT_EQ(view.Range().m_yMax, fixed.m_yMax);
  view.OnPeakPosition();
  view.OnLButtonDblClk(800, 300);
  SetSize(0, 0);
  view.OnLButtonDblClk(400, 150);
  EXPECT_EQ(view.Peaks().m_position[1], view.Peaks().m_position[2]);
  EXPECT_EQ(view.Peaks().m_height[1], view.Peaks().m_height[2]);
}

// The wheel keeps the data point under the pointer where it is, under every
// scale, and a step out undoes a step in.
TEST_F(PlotScaleTest, WheelZoomsAboutThePointer) {
  for (const IntensityScale scale : {IntensityScale::kLinear, IntensityScale::kLog}) {
    view.OnRangeReset();
    SetScale(scale);
    const double x = view.PixelToX(420);
    const double y = view.PixelToY(130);
    view.ZoomAbout(420, 130, 3);
    EXPECT_LE(std::abs(view.XToPixel(x) - 420), 1);
    EXPECT_LE(std::abs(view.YToPixel(y) - 130), 1);
    view.ZoomAbout(420, 130, -3);
    EXPECT_NEAR(view.Range().m_xMin, 10.0, 1e-9);
    EXPECT_NEAR(view.Range().m_xMax, 25.0, 1e-9);
  }
  view.PanBy(55, 0);  // a tenth of the window: the range moves left by a tenth
  EXPECT_NEAR(view.Range().m_xMin, 8.5, 1e-9);
  EXPECT_NEAR(view.Range().m_xMax, 23.5, 1e-9);
}

TEST(AxisTicks, RoundValuesInsideTheSpan) {
  std::vector<double> values;
  for (const AxisTick& t : RoundTicks(95, 2717, 6)) values.push_back(t.value);
  EXPECT_EQ(values, (std::vector<double>{500, 1000, 1500, 2000, 2500}));
  const std::vector<AxisTick> fine = RoundTicks(46.0, 48.6, 8);
  ASSERT_FALSE(fine.empty());
  EXPECT_EQ(fine.front().label, "46.0");
  EXPECT_EQ(fine[1].label, "46.2");
  values.clear();
  for (const AxisTick& t : LogTicks(95, 27000, 6)) values.push_back(t.value);
  EXPECT_EQ(values, (std::vector<double>{100, 200, 500, 1000, 2000, 5000, 10000, 20000}));
  EXPECT_TRUE(RoundTicks(1, 1, 6).empty());
  EXPECT_TRUE(RoundTicks(0, NAN, 6).empty());
}
