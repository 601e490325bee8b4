#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "correct/BackgroundFit.h"
#include "tests/support/FakeHost.h"
#include "tests/support/Spectrum.h"
#include "view/TavView.h"

namespace {

class BackgroundEstimateTest : public ::testing::Test {
 protected:
  void OpenRigaku(const std::string& name) {
    host.fileType = 1;
    host.openPath = SharedData(name);
    view.OnFileOpen();
  }
  RecordingCanvas DrawLayer() const {
    RecordingCanvas dc;
    view.DrawBackgroundEstimate(dc);
    return dc;
  }
  int CountPixels(const RecordingCanvas& dc, Color color) const {
    int n = 0;
    for (const auto& op : dc.ops) n += op.kind == RecordingCanvas::Op::Pixel && op.color == color;
    return n;
  }

  FakeHost host;
  CTavDoc doc;
  CTavView view{doc, host};
};

TEST(BackgroundBins, FivePointMeansAndClipping) {
  std::vector<double> x(14), y(14), binX, binY;
  for (int i = 0; i < 14; ++i) x[i] = y[i] = i;
  bgfit::MakeBins(x, y, binX, binY);  // the last four points form no bin
  EXPECT_EQ(binX, (std::vector<double>{2, 7}));

  std::vector<double> peak{1, 1, 10, 1, 1};
  bgfit::ClipPass(peak);  // in place: bin 3 already sees the lowered bin 2
  EXPECT_EQ(peak, (std::vector<double>{1, 1, 1, 1, 1}));
  std::vector<double> valley{5, 1, 5}, pair{3, 9};
  bgfit::ClipBins(valley);
  bgfit::ClipBins(pair);
  EXPECT_EQ(valley, (std::vector<double>{5, 1, 5}));
  EXPECT_EQ(pair, (std::vector<double>{3, 9}));
}

TEST(BackgroundBins, ReductionRecoversAnExactCubic) {
  std::vector<double> binX, binY;
  for (int r = 0; r < 12; ++r) {
    const double x = 20.0 + 2.5 * r;
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
  std::vector<double> x, y;
  for (int i = 0; i < 100; ++i) {
    x.push_back(i);
    y.push_back(2.0 + 3.0 * i);
  }
  LoadSpectrum(view, x, y);
  view.OnBackRemove();
  ASSERT_EQ(view.m_nBin, 20);
  for (int r = 0; r < 20; ++r) EXPECT_EQ(view.m_binY[r], 2.0 + 3.0 * view.m_binX[r]);  // not clipped
  EXPECT_NEAR(view.m_bgCoef[0], 2.0, 1e-9);
  EXPECT_NEAR(view.m_bgCoef[1], 3.0, 1e-10);
  EXPECT_NEAR(view.m_bgCoef[2], 0.0, 1e-11);
  EXPECT_NEAR(view.m_bgCoef[3], 0.0, 1e-13);
  EXPECT_EQ(view.m_bBackShown, 1);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(host.repaints, 1);
}

TEST_F(BackgroundEstimateTest, OneBinIsRefusedAndNothingDrawn) {
  LoadSpectrum(view, {1, 2, 3, 4, 5, 6, 7}, {5, 6, 5, 6, 5, 6, 5});
  view.OnBackRemove();
  EXPECT_EQ(host.messages, std::vector<std::string>{"これはだめです"});
  EXPECT_EQ(view.m_bBackShown, 0);
  EXPECT_EQ(host.repaints, 1);
  EXPECT_TRUE(DrawLayer().ops.empty());
}

TEST_F(BackgroundEstimateTest, NoBinsDrawNoBaselineUntilOneWasComputed) {
  LoadSpectrum(view, {1, 2, 3}, {4, 5, 6});
  view.OnBackRemove();
  EXPECT_EQ(view.m_bBackShown, 1);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(DrawLayer().ops.empty());

  std::vector<double> x;
  for (int i = 1; i <= 25; ++i) x.push_back(i);
  LoadSpectrum(view, x, x);
  view.OnBackRemove();
  ASSERT_EQ(view.m_nBin, 5);
  view.m_xMax = 3.0;  // too few points for a bin: the last baseline stays
  view.OnBackRemove();
  EXPECT_EQ(view.m_nBin, 0);
  EXPECT_EQ(CountPixels(DrawLayer(), colors::kBlack), 551);
}

TEST_F(BackgroundEstimateTest, LayerFollowsTheCurrentRange) {
  view.m_bBackShown = 1;
  view.m_binX = {10.0, 15.0};
  view.m_binY = {5.0, 50.0};
  view.m_nBin = 2;
  view.m_xMin = 10.0, view.m_xMax = 20.0, view.m_yMin = 0.0, view.m_yMax = 10.0;
  // Bins only, before any estimate computed coefficients; the bin above the
  // Y range is not drawn.
  RecordingCanvas dc = DrawLayer();
  EXPECT_EQ(dc.ops.size(), 1u);
  EXPECT_EQ(dc.PixelAt(100, 200), colors::kRed);

  // The baseline has no Y test: at 20 it runs above the window, row -250.
  view.m_bgCoef = {20.0, 0.0, 0.0, 0.0};
  view.m_bgCoefSet = true;
  view.m_xMin = 12.0;  // the bin at X 10 now lies left of the frame
  dc = DrawLayer();
  EXPECT_EQ(dc.PixelAt(-37, 200), colors::kRed);
  for (int s = 0; s <= 550; ++s) EXPECT_EQ(dc.PixelAt(100 + s, -250), colors::kBlack);

  view.m_xMax = view.m_xMin;  // zero width: no bins, the baseline needs no X scale
  dc = DrawLayer();
  EXPECT_EQ(CountPixels(dc, colors::kRed), 0);
  EXPECT_EQ(CountPixels(dc, colors::kBlack), 551);
  view.m_xMax = 20.0;
  view.m_yMax = view.m_yMin;  // zero height: nothing at all
  EXPECT_TRUE(DrawLayer().ops.empty());
}

TEST_F(BackgroundEstimateTest, WholeMeasuredProfileUsesEveryBinAndSurvivesALoad) {
  OpenRigaku("AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc");
  ASSERT_EQ(doc.m_nData, 3400);
  view.OnBackRemove();
  ASSERT_EQ(view.m_nBin, 680);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(view.m_binX[679], (doc.m_x[3396] + doc.m_x[3397] + doc.m_x[3398] + doc.m_x[3399] + doc.m_x[3400]) / 5.0);
  // Under the strongest reflections the baseline lies well below the data.
  for (int i = 1; i <= doc.m_nData; ++i) {
    if (doc.m_y[i] == doc.m_yMax) EXPECT_LT(bgfit::BaselineAt(view.m_bgCoef, doc.m_x[i]), doc.m_y[i] / 4);
  }

  const std::vector<double> binY = view.m_binY;
  const bgfit::Coefficients coef = view.m_bgCoef;
  OpenRigaku("AE4895-Measurement_strategies__XRD_NaBr_Theta_2-Theta.asc");
  EXPECT_EQ(view.m_bBackShown, 1);
  EXPECT_EQ(view.m_binY, binY);
  EXPECT_EQ(view.m_bgCoef, coef);
}

}  // namespace
