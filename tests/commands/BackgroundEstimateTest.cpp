#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/Commands.h"
#include "correct/BackgroundFit.h"
#include "tests/support/LoadedProfile.h"
#include "tests/support/TestHost.h"
#include "view/TavView.h"

namespace {

class BackgroundEstimateTest : public ::testing::Test {
 protected:
  RecordingCanvas DrawLayer() const {
    RecordingCanvas dc;
    view.DrawBackgroundEstimate(dc);
    return dc;
  }
  void OpenRigaku(const std::string& name) {
    host.fileType = FileType::Rigaku;
    host.openPath = SharedData(name);
    OnFileOpen(view);
  }

  TestHost host;
  CTavDoc doc;
  CTavView view{doc, host};
};

std::vector<double> Counting(int n) {
  std::vector<double> v;
  for (int i = 0; i < n; ++i) v.push_back(i);
  return v;
}

TEST(BackgroundBins, FivePointMeansAndClipping) {
  std::vector<double> binX, binY;
  bgfit::MakeBins(Counting(14), Counting(14), binX, binY);  // the last four form no bin
  EXPECT_EQ(binX, (std::vector<double>{2, 7}));

  std::vector<double> peak{1, 1, 10, 1, 1}, valley{5, 1, 5};
  bgfit::ClipPass(peak);  // in place: bin 3 already sees the lowered bin 2
  bgfit::ClipBins(valley);
  EXPECT_EQ(peak, (std::vector<double>{1, 1, 1, 1, 1}));
  EXPECT_EQ(valley, (std::vector<double>{5, 1, 5}));
}

TEST(BackgroundBins, ReductionRecoversAnExactCubic) {
  std::vector<double> binX, binY;
  for (double x = 20.0; x < 50.0; x += 2.5) {
    binX.push_back(x);
    binY.push_back(7.0 - 1.5 * x + 0.25 * x * x - 0.002 * x * x * x);
  }
  const bgfit::CubicFit fit = bgfit::FitCubic(binX, binY);
  EXPECT_FALSE(fit.zeroPivot);
  EXPECT_NEAR(fit.coef[0], 7.0, 1e-6);
  EXPECT_NEAR(fit.coef[1], -1.5, 1e-7);
  EXPECT_NEAR(fit.coef[2], 0.25, 1e-9);
  EXPECT_NEAR(fit.coef[3], -0.002, 1e-11);
}

TEST_F(BackgroundEstimateTest, StraightLineGivesItsOwnCoefficients) {
  std::vector<double> y;
  for (double x : Counting(100)) y.push_back(2.0 + 3.0 * x);
  LoadSpectrum(view, Counting(100), y);
  OnBackRemove(view);
  ASSERT_EQ(view.Background().NBin(), 20);
  EXPECT_EQ(view.Background().m_binY[7], 2.0 + 3.0 * view.Background().m_binX[7]);  // not clipped
  EXPECT_NEAR(view.Background().m_bgCoef[0], 2.0, 1e-9);
  EXPECT_NEAR(view.Background().m_bgCoef[1], 3.0, 1e-10);
  EXPECT_NEAR(view.Background().m_bgCoef[2], 0.0, 1e-11);
  EXPECT_NEAR(view.Background().m_bgCoef[3], 0.0, 1e-13);
  EXPECT_EQ(view.Background().m_bBackShown, 1);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(host.repaints, 1);
}

TEST_F(BackgroundEstimateTest, TooFewPointsForACubic) {
  // No bin before any coefficients: shown, but nothing to draw.
  LoadSpectrum(view, {1, 2, 3}, {4, 5, 6});
  OnBackRemove(view);
  EXPECT_EQ(view.Background().m_bBackShown, 1);
  EXPECT_TRUE(DrawLayer().ops.empty());

  // One bin: the second pivot is exactly zero.
  LoadSpectrum(view, Counting(7), {5, 6, 5, 6, 5, 6, 5});
  OnBackRemove(view);
  EXPECT_EQ(host.messages, std::vector<std::string>{"これはだめです"});
  EXPECT_EQ(view.Background().m_bBackShown, 0);
  EXPECT_TRUE(DrawLayer().ops.empty());

  // No bin after a computed cubic: the last baseline is drawn again.
  LoadSpectrum(view, Counting(25), Counting(25));
  OnBackRemove(view);
  view.StateForTests().range.m_xMax = 2.0;
  OnBackRemove(view);
  EXPECT_EQ(view.Background().NBin(), 0);
  EXPECT_EQ(DrawLayer().Count(RecordingCanvas::Op::Pixel), 551);
  EXPECT_EQ(host.repaints, 4);
}

TEST_F(BackgroundEstimateTest, LayerFollowsTheCurrentRange) {
  view.StateForTests().background.m_bBackShown = 1;
  view.StateForTests().background.m_binX = {10.0, 15.0};
  view.StateForTests().background.m_binY = {5.0,
                                            50.0};  // the second lies above the Y range: not drawn
  view.StateForTests().range.m_xMin = 10.0, view.StateForTests().range.m_xMax = 20.0,
  view.StateForTests().range.m_yMin = 0.0, view.StateForTests().range.m_yMax = 10.0;
  RecordingCanvas dc = DrawLayer();
  EXPECT_EQ(dc.ops.size(), 1u);
  EXPECT_EQ(dc.PixelAt(100, 200), colors::kRed);

  // The baseline has no Y test: at 20 it runs above the window, on row -250;
  // a bin left of a narrower X range is drawn left of the frame.
  view.StateForTests().background.m_bgCoef = {20.0, 0.0, 0.0, 0.0};
  view.StateForTests().background.m_bgCoefSet = true;
  view.StateForTests().range.m_xMin = 12.0;
  dc = DrawLayer();
  EXPECT_EQ(dc.PixelAt(-37, 200), colors::kRed);
  for (int s = 0; s <= 550; ++s) EXPECT_EQ(dc.PixelAt(100 + s, -250), colors::kBlack);

  view.StateForTests().range.m_xMax =
      view.Range().m_xMin;  // zero width: the bins need the X scale, the baseline not
  EXPECT_EQ(DrawLayer().Count(RecordingCanvas::Op::Pixel), 551);
  view.StateForTests().range.m_xMax = 20.0;
  view.StateForTests().range.m_yMax = view.Range().m_yMin;  // zero height: nothing at all
  EXPECT_TRUE(DrawLayer().ops.empty());
}

TEST_F(BackgroundEstimateTest, WholeMeasuredProfileUsesEveryBinAndSurvivesALoad) {
  SKIP_WITHOUT_SHARED_DATA();
  OpenRigaku("AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc");
  OnBackRemove(view);
  ASSERT_EQ(view.Background().NBin(), 680);  // far beyond 200 bins
  EXPECT_TRUE(host.messages.empty());
  // Under the strongest reflection the baseline lies well below the data.
  int top = 1;
  for (int i = 2; i <= doc.m_nData; ++i) top = doc.m_y[i] > doc.m_y[top] ? i : top;
  EXPECT_LT(bgfit::BaselineAt(view.Background().m_bgCoef, doc.m_x[top]), doc.m_y[top] / 20);

  const std::vector<double> binY = view.Background().m_binY;
  const bgfit::Coefficients coef = view.Background().m_bgCoef;
  OpenRigaku("AE4895-Measurement_strategies__XRD_NaBr_Theta_2-Theta.asc");
  EXPECT_EQ(view.Background().m_bBackShown, 1);
  EXPECT_EQ(view.Background().m_binY, binY);
  EXPECT_EQ(view.Background().m_bgCoef, coef);
}

}  // namespace
