#include <gtest/gtest.h>

#include "tests/support/LoadedProfile.h"
#include "tests/support/TestHost.h"
#include "view/TavView.h"

namespace {

class RemovePeakTest : public ::testing::Test {
 protected:
  // Four peaks after a fit, every per-slot value telling its peak: peak k
  // has height 100k, position 10 + k, and k in each other slot value.
  void PlaceFour() {
    LoadSpectrum(view, {10, 12, 15, 20}, {0, 250, 1000, 400});
    PeakTable& t = view.StateForTests().peaks;
    t.m_nPeak = 4;
    t.m_bFitted = 1;
    for (int k = 1; k <= 4; ++k) {
      t.m_height[k] = 100.0 * k;
      t.m_position[k] = 10.0 + k;
      t.m_width[k] = 0.1 * k;
      t.m_widthFactor[k] = 1.0 + k;
      t.m_widthFitted[k] = k % 2 == 1;
      t.m_widthFromData[k] = k % 2 == 0;
      t.m_shapeParam[k] = 0.01 * k;
      t.m_widthRight[k] = 0.2 * k;
      t.m_shapeParamRight[k] = 0.02 * k;
      t.m_shapeParamShape[k] = k;
    }
    view.StateForTests().report = PeakReport{};
  }
  // Slot s holds the values peak k was given.
  void ExpectSlotHolds(int s, int k) {
    const PeakTable& t = view.Peaks();
    EXPECT_EQ(t.m_height[s], 100.0 * k) << s;
    EXPECT_EQ(t.m_position[s], 10.0 + k) << s;
    EXPECT_EQ(t.m_width[s], 0.1 * k) << s;
    EXPECT_EQ(t.m_widthFactor[s], 1.0 + k) << s;
    EXPECT_EQ(t.m_widthFitted[s], k % 2 == 1) << s;
    EXPECT_EQ(t.m_widthFromData[s], k % 2 == 0) << s;
    EXPECT_EQ(t.m_shapeParam[s], 0.01 * k) << s;
    EXPECT_EQ(t.m_widthRight[s], 0.2 * k) << s;
    EXPECT_EQ(t.m_shapeParamRight[s], 0.02 * k) << s;
    EXPECT_EQ(t.m_shapeParamShape[s], k) << s;
  }

  TestHost host;
  CTavDoc doc;
  CTavView view{doc, host};
};

TEST_F(RemovePeakTest, SlotsAboveMoveDownAndTheFitIsNoLongerReported) {
  PlaceFour();
  view.StateForTests().peaks.m_curPeak = 4;
  view.StateForTests().calibration.williamsonHallExcluded = {2, 4};
  view.StateForTests().calibration.williamsonHallIncluded = {1, 3};
  const int revision = view.ReportRevision();
  view.RemovePeak(2);
  EXPECT_EQ(view.Peaks().m_nPeak, 3);
  ExpectSlotHolds(1, 1);
  ExpectSlotHolds(2, 3);
  ExpectSlotHolds(3, 4);
  ExpectSlotHolds(4, 2);                 // the removed values wait in the slot left free
  EXPECT_EQ(view.Peaks().m_curPeak, 3);  // still the same peak
  EXPECT_EQ(view.Peaks().m_bFitted, 1);  // the others keep their fitted values
  EXPECT_EQ(view.Report(), nullptr);
  EXPECT_NE(view.ReportRevision(), revision);
  EXPECT_EQ(view.Calibration().williamsonHallExcluded, (std::vector<int>{3}));
  EXPECT_EQ(view.Calibration().williamsonHallIncluded, (std::vector<int>{1, 2}));
}

TEST_F(RemovePeakTest, SelectionFollowsTheRemovedPeaksPlace) {
  PlaceFour();
  view.StateForTests().peaks.m_curPeak = 2;
  view.RemovePeak(2);  // the selected one: its successor takes the place
  EXPECT_EQ(view.Peaks().m_curPeak, 2);
  view.StateForTests().peaks.m_curPeak = 1;
  view.RemovePeak(3);  // above the selection: it stays
  EXPECT_EQ(view.Peaks().m_curPeak, 1);
  view.StateForTests().peaks.m_curPeak = 2;
  view.RemovePeak(2);  // the selected last one: the one below it
  EXPECT_EQ(view.Peaks().m_curPeak, 1);
  view.RemovePeak(1);
  EXPECT_EQ(view.Peaks().m_nPeak, 0);
  EXPECT_EQ(view.Peaks().m_curPeak, 0);
}

TEST_F(RemovePeakTest, RemovingTheLastIsTheRightClickAndBadNumbersChangeNothing) {
  PlaceFour();
  view.StateForTests().peaks.m_curPeak = 4;
  const ViewState before = view.State();
  view.OnRButtonDown(0, 0);
  const PeakTable byRightClick = view.Peaks();
  view.RestoreState(before);
  view.RemovePeak(4);
  EXPECT_EQ(view.Peaks(), byRightClick);

  const ViewState now = view.State();
  for (const int k : {0, -1, 4, 11}) {
    view.RemovePeak(k);
    EXPECT_EQ(view.Peaks(), now.peaks) << k;
  }
}

TEST_F(RemovePeakTest, MarkerNearAPixelColumn) {
  PlaceFour();  // markers at 11..14 over 10..20: columns 155, 210, 265, 320
  view.StateForTests().peaks.m_position[4] = 25.0;  // right of the frame
  EXPECT_EQ(view.PeakMarkerNear(212, 4), 2);
  EXPECT_EQ(view.PeakMarkerNear(236, 4), 0);
  EXPECT_EQ(view.PeakMarkerNear(151, 4), 1);
  EXPECT_EQ(view.PeakMarkerNear(100 + 825, 4), 4);  // drawn outside, unclipped
  PlotOptions clipped = view.Plot();
  clipped.clip = true;
  view.SetPlotOptions(clipped);
  EXPECT_EQ(view.PeakMarkerNear(100 + 825, 4), 0);
}

}  // namespace
