#include <gtest/gtest.h>

#include <functional>

#include "tests/support/LoadedProfile.h"
#include "tests/support/TestHost.h"
#include "view/TavView.h"

namespace {

// Also notes how many repaints came before the latest overlay drawing.
struct BandHost : TestHost {
  void DrawOverlay(const std::function<void(Canvas&)>& draw) override {
    repaintsBeforeOverlay = repaints;
    TestHost::DrawOverlay(draw);
  }
  int repaintsBeforeOverlay = -1;
};

class InteractionTest : public ::testing::Test {
 protected:
  // A profile whose load range is X 10..20, Y 0..1000.
  void Load() { LoadSpectrum(view, {10, 12, 15, 20}, {0, 250, 1000, 400}); }
  void Drag(int x0, int y0, int x1, int y1) {
    view.OnLButtonDown(x0, y0);
    view.OnMouseMove(x1, y1);
    view.OnLButtonUp(x1, y1);
  }
  void ExpectRange(double xMin, double xMax, double yMin, double yMax) {
    EXPECT_DOUBLE_EQ(view.Range().m_xMin, xMin);
    EXPECT_DOUBLE_EQ(view.Range().m_xMax, xMax);
    EXPECT_DOUBLE_EQ(view.Range().m_yMin, yMin);
    EXPECT_DOUBLE_EQ(view.Range().m_yMax, yMax);
  }

  BandHost host;
  CTavDoc doc;
  CTavView view{doc, host};
};

struct StateRow {
  const char* event;
  int peakMode, dragState, nPeak, fitted;  // before
  std::function<void(CTavView&)> act;
  int wantPeakMode, wantDragState, wantNPeak, wantFitted, wantRepaints;
  bool rangeSetChecked, peakPositionChecked, lsqEnabled, saveEnabled;  // after
};

TEST_F(InteractionTest, StateTableWithRepaintsAndUpdateRules) {
  // clang-format off
  const StateRow rows[] = {
      {"range set", 1, 2, 3, 1, [](CTavView& v) { v.OnRangeSet(); }, 0, 0, 0, 0, 0, true, false, false, false},
      {"peak position", 0, 0, 3, 1, [](CTavView& v) { v.OnPeakPosition(); }, 1, 0, 3, 1, 0, false, true, true, true},
      {"range reset", 1, 2, 3, 1, [](CTavView& v) { v.OnRangeReset(); }, 0, 0, 0, 0, 1, true, false, false, false},
      {"range input cancelled", 1, 2, 3, 1, [](CTavView& v) { v.OnRangeInput(); }, 1, 2, 3, 1, 1, false, true, true, true},
      {"press, armed", 0, 0, 0, 0, [](CTavView& v) { v.OnLButtonDown(200, 100); }, 0, 1, 0, 0, 0, true, false, false, false},
      {"press, disarmed", 0, 2, 0, 0, [](CTavView& v) { v.OnLButtonDown(200, 100); }, 0, 2, 0, 0, 0, false, false, false, false},
      {"press, peak mode", 1, 0, 0, 0, [](CTavView& v) { v.OnLButtonDown(200, 100); }, 1, 0, 0, 0, 0, false, true, false, false},
      {"move, dragging", 0, 1, 0, 0, [](CTavView& v) { v.OnMouseMove(300, 200); }, 0, 1, 0, 0, 1, true, false, false, false},
      {"move, armed", 0, 0, 0, 0, [](CTavView& v) { v.OnMouseMove(300, 200); }, 0, 0, 0, 0, 0, true, false, false, false},
      {"release, dragging", 0, 1, 0, 0, [](CTavView& v) { v.OnLButtonUp(300, 200); }, 0, 0, 0, 0, 1, true, false, false, false},
      {"release, armed", 0, 0, 0, 0, [](CTavView& v) { v.OnLButtonUp(300, 200); }, 0, 0, 0, 0, 1, true, false, false, false},
      {"release, peak mode", 1, 1, 2, 0, [](CTavView& v) { v.OnLButtonUp(300, 200); }, 1, 1, 2, 0, 1, false, true, true, false},
      {"double-click, peak mode", 1, 2, 2, 0, [](CTavView& v) { v.OnLButtonDblClk(300, 200); }, 1, 2, 3, 0, 0, false, true, true, false},
      {"double-click, range mode", 0, 0, 0, 0, [](CTavView& v) { v.OnLButtonDblClk(300, 200); }, 0, 0, 0, 0, 0, true, false, false, false},
      {"right button", 1, 2, 2, 1, [](CTavView& v) { v.OnRButtonDown(0, 0); }, 1, 2, 1, 1, 1, false, true, true, true},
      {"right button, no peaks", 0, 0, 0, 0, [](CTavView& v) { v.OnRButtonDown(0, 0); }, 0, 0, 0, 0, 1, true, false, false, false},
      {"unhandled key", 0, 0, 0, 0, [](CTavView& v) { v.OnKeyDown(0x41); }, 0, 0, 0, 0, 1, true, false, false, false},
  };
  // clang-format on
  for (const StateRow& r : rows) {
    SCOPED_TRACE(r.event);
    TestHost h;
    CTavDoc d;
    CTavView v(d, h);
    LoadSpectrum(v, {10, 20}, {0, 1000});
    v.StateForTests().modes.m_bPeakMode = r.peakMode;
    v.StateForTests().modes.m_dragState = static_cast<DragState>(r.dragState);
    v.StateForTests().peaks.m_nPeak = v.StateForTests().peaks.m_curPeak = r.nPeak;
    v.StateForTests().peaks.m_bFitted = r.fitted;
    r.act(v);
    EXPECT_EQ(v.Modes().m_bPeakMode, r.wantPeakMode);
    EXPECT_EQ(static_cast<int>(v.Modes().m_dragState), r.wantDragState);
    EXPECT_EQ(v.Peaks().m_nPeak, r.wantNPeak);
    EXPECT_EQ(v.Peaks().m_bFitted, r.wantFitted);
    EXPECT_EQ(h.repaints, r.wantRepaints);
    EXPECT_EQ(v.IsRangeSetChecked(), r.rangeSetChecked);
    EXPECT_EQ(v.IsPeakPositionChecked(), r.peakPositionChecked);
    EXPECT_EQ(v.IsLsqStartEnabled(), r.lsqEnabled);
    EXPECT_EQ(v.IsSaveResultEnabled(), r.saveEnabled);
  }
}

TEST_F(InteractionTest, RubberBandZoomsFromPixelsOfTheCurrentRange) {
  Load();
  view.OnRangeSet();
  Drag(100, 50, 650, 350);
  ExpectRange(10, 20, 0, 1000);
  Drag(100, 50, 375, 200);
  ExpectRange(10, 15, 500, 1000);

  // Every direction of the same band gives the same range.
  const int corners[4][4] = {
      {200, 100, 400, 300}, {400, 300, 200, 100}, {200, 300, 400, 100}, {400, 100, 200, 300}};
  for (const auto& c : corners) {
    view.StateForTests().range.m_xMin = 10, view.StateForTests().range.m_xMax = 20,
    view.StateForTests().range.m_yMin = 0, view.StateForTests().range.m_yMax = 1000;
    Drag(c[0], c[1], c[2], c[3]);
    ExpectRange(10 + 10.0 * 100 / 550, 10 + 10.0 * 300 / 550, 1000 - 1000.0 * 250 / 300,
                1000 - 1000.0 * 50 / 300);
  }

  // A release beyond column 650 widens the X range.
  view.StateForTests().range.m_xMin = 10, view.StateForTests().range.m_xMax = 20;
  Drag(100, 50, 705, 350);
  EXPECT_DOUBLE_EQ(view.Range().m_xMax, 21);
}

TEST_F(InteractionTest, ClickWithoutMovingGivesAZeroSizeRangeThatStillDraws) {
  Load();
  view.OnRangeSet();
  Drag(375, 200, 375, 200);
  ExpectRange(15, 15, 500, 500);
  RecordingCanvas dc;
  view.OnDraw(dc);  // must neither crash nor trip the sanitizers
  Drag(100, 50, 650, 350);
  ExpectRange(15, 15, 500, 500);
}

TEST_F(InteractionTest, BandOutlineIsDrawnAfterTheRepaintWithTheDefaultPen) {
  Load();
  view.OnRangeSet();
  view.OnLButtonDown(400, 300);
  view.OnMouseMove(20, 380);  // outside the plot window: not clipped
  EXPECT_EQ(host.repaintsBeforeOverlay, 1);
  ASSERT_EQ(host.overlays, 1);
  using Op = RecordingCanvas::Op;
  const int want[5][3] = {{Op::Move, 400, 300},
                          {Op::Line, 400, 380},
                          {Op::Line, 20, 380},
                          {Op::Line, 20, 300},
                          {Op::Line, 400, 300}};
  ASSERT_EQ(host.overlay.ops.size(), 5u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(host.overlay.ops[i].kind, want[i][0]);
    EXPECT_EQ(host.overlay.ops[i].x, want[i][1]);
    EXPECT_EQ(host.overlay.ops[i].y, want[i][2]);
  }
}

TEST_F(InteractionTest, DraggingNeedsArmingAndALostReleaseKeepsTheAnchor) {
  Load();
  Drag(100, 50, 375, 200);  // right after a load the band is disarmed
  ExpectRange(10, 20, 0, 1000);
  EXPECT_EQ(host.overlays, 0);

  view.OnRangeReset();
  view.OnLButtonDown(100, 50);
  view.OnMouseMove(700, 390);    // released outside the view: no release arrives
  view.OnLButtonDown(600, 300);  // ignored, the band is still dragging
  view.OnMouseMove(375, 200);
  EXPECT_EQ(host.overlay.ops[5].x, 100);
  view.OnLButtonUp(375, 200);
  ExpectRange(10, 15, 500, 1000);
}

TEST_F(InteractionTest, DoubleClicksPlaceAtMostTenPeaksAndRightClicksRemoveThem) {
  Load();
  view.OnPeakPosition();
  view.OnLButtonDblClk(375, 200);
  EXPECT_DOUBLE_EQ(view.Peaks().m_position[1], 15);
  EXPECT_DOUBLE_EQ(view.Peaks().m_height[1], 500);
  for (int i = 2; i <= 10; ++i) view.AppendPeakAt(10 + i, 100 * i);
  view.OnKeyDown(keys::kLeft);
  view.OnLButtonDblClk(200, 100);
  EXPECT_EQ(view.Peaks().m_nPeak, 10);
  EXPECT_EQ(view.Peaks().m_curPeak, 9);
  EXPECT_DOUBLE_EQ(view.Peaks().m_position[10], 20);

  view.OnRButtonDown(0, 0);
  EXPECT_EQ(view.Peaks().m_nPeak, 9);
  EXPECT_EQ(view.Peaks().m_curPeak, 9);
  EXPECT_DOUBLE_EQ(view.Peaks().m_position[10], 20);  // the slot keeps its values
  for (int i = 0; i < 9; ++i) view.OnRButtonDown(0, 0);
  EXPECT_EQ(view.Peaks().m_curPeak, 0);
}

TEST_F(InteractionTest, KeysScaleTheSelectedWidthAndMoveTheSelectionWithoutWrapping) {
  Load();
  view.OnKeyDown(keys::kW);  // no peaks: nothing to widen
  EXPECT_EQ(view.Peaks().m_widthFactor[1], 1.0);
  view.OnPeakPosition();
  for (int i = 0; i < 3; ++i) view.AppendPeakAt(12 + i, 500);
  for (int i = 0; i < 5; ++i) view.OnKeyDown(keys::kW);
  EXPECT_NEAR(view.Peaks().m_widthFactor[3], 1.2763, 5e-5);
  EXPECT_EQ(view.Peaks().m_widthFactor[3], 1.0 * 1.05 * 1.05 * 1.05 * 1.05 * 1.05);

  view.OnKeyDown(keys::kRight);  // at the last peak
  EXPECT_EQ(view.Peaks().m_curPeak, 3);
  view.OnKeyDown(keys::kLeft);
  view.OnKeyDown(keys::kLeft);
  view.OnKeyDown(keys::kLeft);  // at peak 1
  EXPECT_EQ(view.Peaks().m_curPeak, 1);
  view.OnKeyDown(keys::kW);
  view.OnKeyDown(keys::kN);
  EXPECT_EQ(view.Peaks().m_widthFactor[1], 1.05 * 0.95);
  EXPECT_NE(view.Peaks().m_widthFactor[1], 1.0);
  EXPECT_EQ(view.Peaks().m_widthFactor[2], 1.0);

  view.OnRangeSet();  // factors belong to peak numbers and survive
  EXPECT_EQ(view.Peaks().m_widthFactor[1], 1.05 * 0.95);
  EXPECT_EQ(host.repaints, 12);
}

TEST_F(InteractionTest, PeaksAfterAFitKeepItsEnablingAndGetAWidth) {
  Load();
  view.OnPeakPosition();
  view.AppendPeakAt(12, 500);
  EXPECT_EQ(view.Peaks().m_width[1], 0.0);   // unfitted: the slot's width is not written
  view.StateForTests().peaks.m_bFitted = 1;  // as a fit leaves it, with slot 1 written
  view.StateForTests().peaks.m_width[1] = 0.3;
  view.StateForTests().peaks.m_widthFitted[1] = true;
  view.OnRButtonDown(0, 0);
  EXPECT_TRUE(view.IsSaveResultEnabled());
  EXPECT_FALSE(view.IsLsqStartEnabled());

  view.StateForTests().peaks.m_widthFactor[2] = 2.0;
  view.OnLButtonDblClk(200, 100);
  view.AppendPeakAt(15, 800);
  EXPECT_EQ(view.Peaks().m_width[1], 0.3);         // a fitted slot keeps its width
  EXPECT_DOUBLE_EQ(view.Peaks().m_width[2], 2.0);  // span 10 x factor 2 / 10
  EXPECT_EQ(view.Peaks().m_bFitted, 1);

  // Drawn as fitted: the clicked Y is a height above the fitted background,
  // so at x = 15 the selected component is at 800 + 100 (row 80).
  view.StateForTests().peaks.m_bgA = 0.0;
  view.StateForTests().peaks.m_bgB = 100.0;
  RecordingCanvas dc;
  view.OnDraw(dc);
  EXPECT_EQ(dc.PixelAt(375, 80), colors::kGreen);
}

TEST_F(InteractionTest, InitialRangeComesFromTheDataOrStaysWithoutIt) {
  view.StateForTests().range.m_xMin = 1, view.StateForTests().range.m_xMax = 2,
  view.StateForTests().range.m_yMin = 3, view.StateForTests().range.m_yMax = 4;
  view.StateForTests().modes.m_bPeakMode = 1, view.StateForTests().peaks.m_nPeak = 2;
  view.OnRangeReset();
  ExpectRange(1, 2, 3, 4);
  EXPECT_EQ(view.Modes().m_bPeakMode, 0);
  EXPECT_EQ(view.Peaks().m_nPeak, 0);
  EXPECT_EQ(view.Modes().m_dragState, DragState::Armed);
  EXPECT_EQ(host.repaints, 1);

  LoadSpectrum(view, {30, 25, 20}, {5, 50, 7});  // descending X
  view.StateForTests().range.m_xMin = 21;
  view.OnRangeReset();
  ExpectRange(20, 30, 5, 50);
}

TEST_F(InteractionTest, TypedRangeIsPresetAndTakenAsTypedKeepingThePeaks) {
  Load();
  view.OnPeakPosition();
  view.AppendPeakAt(12, 500);
  host.range = RangeValues{30, 5, -1, 2e6};
  view.OnRangeInput();
  EXPECT_EQ(host.rangePreset.xMin, 10);
  EXPECT_EQ(host.rangePreset.yMax, 1000);
  ExpectRange(30, 5, -1, 2e6);  // no ordering test
  EXPECT_EQ(view.Peaks().m_nPeak, 1);
  EXPECT_EQ(view.Modes().m_bPeakMode, 1);
  EXPECT_EQ(host.repaints, 1);
}

}  // namespace
