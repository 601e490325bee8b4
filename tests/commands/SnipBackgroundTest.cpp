#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "commands/Commands.h"
#include "correct/BackgroundFit.h"
#include "tests/support/LoadedProfile.h"
#include "tests/support/RecordingCanvas.h"
#include "tests/support/TestHost.h"
#include "view/TavView.h"

namespace {

// The true background of the synthetic profile: a low-angle fall and a broad
// amorphous hump, bent far beyond a cubic over 10..60°.
double TrueBackground(double x) {
  return 200.0 + 1500.0 * std::exp(-(x - 10.0) / 4.0) +
         300.0 * std::exp(-((x - 35.0) / 6.0) * ((x - 35.0) / 6.0));
}

// Pseudo-Voigt peaks (η = 0.5): position, height, half width at half maximum.
struct Line {
  double position, height, hwhm;
};
const Line kLines[] = {{15, 3000, 0.1},  {22.3, 800, 0.12}, {28, 2000, 0.1}, {28.5, 600, 0.1},
                       {40, 1500, 0.15}, {47, 400, 0.15},   {55, 1000, 0.2}};

double Peaks(double x) {
  double sum = 0.0;
  for (const Line& l : kLines) {
    const double u = (x - l.position) / l.hwhm;
    sum += l.height * (0.5 / (1 + u * u) + 0.5 * std::exp(-std::log(2.0) * u * u));
  }
  return sum;
}

class SnipBackground : public ::testing::Test {
 protected:
  // Poisson counts of peaks on the curved background, 10..60° by 0.02°.
  void LoadSynthetic() {
    std::mt19937 random(25);
    std::vector<double> x, y;
    for (int i = 0; i <= 2500; ++i) {
      x.push_back(10.0 + 0.02 * i);
      std::poisson_distribution<int> counts(TrueBackground(x.back()) + Peaks(x.back()));
      y.push_back(counts(random));
    }
    LoadSpectrum(view, x, y);
  }
  // The largest |estimate − b|/√b where the peaks add less than √b/2.
  template <class Estimate>
  double WorstOffPeakError(Estimate estimate) const {
    double worst = 0.0;
    for (int i = 1; i <= doc.m_nData; ++i) {
      const double x = doc.m_x[i], b = TrueBackground(x);
      if (Peaks(x) < 0.5 * std::sqrt(b)) {
        worst = std::max(worst, std::fabs(estimate(x) - b) / std::sqrt(b));
      }
    }
    return worst;
  }
  int NegativePoints() const {
    int n = 0;
    for (int i = 1; i <= doc.m_nData; ++i) n += doc.m_y[i] < 0;
    return n;
  }

  TestHost host;
  CTavDoc doc;
  CTavView view{doc, host};
};

TEST_F(SnipBackground, FollowsACurvedBackgroundWhereTheCubicCannot) {
  LoadSynthetic();
  OnBackRemove(view);
  const bgfit::Coefficients cubic = view.Background().m_bgCoef;
  const double cubicError =
      WorstOffPeakError([&](double x) { return bgfit::BaselineAt(cubic, x); });

  ASSERT_TRUE(OnBackSnip(view));
  const BackgroundLayer& b = view.Background();
  ASSERT_EQ(b.m_kind, BackgroundKind::kSnip);
  ASSERT_EQ(b.m_snipX.size(), 2501u);
  // The baseline at each point is the one stored for it (X ascending).
  std::vector<double> baseline(b.m_snipY.begin(), b.m_snipY.end());
  const double snipError = WorstOffPeakError(
      [&](double x) { return baseline[static_cast<std::size_t>(std::lround((x - 10.0) / 0.02))]; });
  EXPECT_LT(snipError, 2.0);
  EXPECT_GT(cubicError, 2.0);
  // The cubic's coefficients stay; the SNIP estimate has no bins.
  EXPECT_EQ(b.m_bgCoef, cubic);
  EXPECT_EQ(b.NBin(), 0);
}

TEST_F(SnipBackground, SubtractedInsideItsSpanAndRefusedOnceStale) {
  LoadSynthetic();
  view.StateForTests().range.m_xMin = 20.0;
  view.StateForTests().range.m_xMax = 30.0;
  ASSERT_TRUE(OnBackSnip(view, 0.5));
  const std::vector<double> before(doc.m_y.begin(), doc.m_y.end());
  const BackgroundLayer estimate = view.Background();
  ASSERT_TRUE(IsBackSubtractEnabled(view));
  OnBackSubtract(view);
  for (int i = 1; i <= doc.m_nData; ++i) {
    const double x = doc.m_x[i];
    const double expected =
        x < 20.0 || x > 30.0
            ? before[i]
            : before[i] -
                  estimate.m_snipY[static_cast<std::size_t>(std::lround((x - 20.0) / 0.02))];
    EXPECT_NEAR(doc.m_y[i], expected, 1e-9) << x;
  }
  EXPECT_FALSE(IsBackSubtractEnabled(view));  // used up

  ASSERT_TRUE(OnBackSnip(view));
  OnPolarCorrect(view);  // other intensities now: refused, nothing changes
  const std::vector<double> polarized(doc.m_y.begin(), doc.m_y.end());
  OnBackSubtract(view);
  EXPECT_EQ(std::vector<double>(doc.m_y.begin(), doc.m_y.end()), polarized);
  EXPECT_EQ(host.failures.size(), 1u);
  EXPECT_EQ(view.Background().m_bBackShown, 1);
}

TEST_F(SnipBackground, DrawnOverItsSpanOnlyAndReplacedByTheCubic) {
  LoadSynthetic();
  view.StateForTests().range.m_yMin = 0.0;
  view.StateForTests().range.m_yMax = 5000.0;
  view.StateForTests().range.m_xMin = 20.0;
  view.StateForTests().range.m_xMax = 30.0;
  ASSERT_TRUE(OnBackSnip(view));
  view.StateForTests().range.m_xMin = 10.0;  // the span is now the middle third
  view.StateForTests().range.m_xMax = 40.0;
  RecordingCanvas dc;
  view.DrawBackgroundEstimate(dc);
  // Samples 184..366 of 0..550 lie over 20..30°.
  EXPECT_EQ(dc.Count(RecordingCanvas::Op::Pixel), 183);
  for (const auto& op : dc.ops) {
    EXPECT_GE(op.x, 100 + 184);
    EXPECT_LE(op.x, 100 + 366);
    EXPECT_EQ(op.color, colors::kBlack);
  }
  OnBackRemove(view);
  EXPECT_EQ(view.Background().m_kind, BackgroundKind::kCubic);
  EXPECT_TRUE(view.Background().m_snipX.empty());
}

TEST_F(SnipBackground, TooFewPointsSaySoAndChangeNothing) {
  LoadSpectrum(view, {1, 2}, {3, 4});
  EXPECT_FALSE(OnBackSnip(view));
  EXPECT_EQ(host.failures.size(), 1u);
  EXPECT_EQ(view.Background().m_bBackShown, 0);
}

// Subtracting the estimate of the whole BRML profile: how many points does
// each leave below zero?
TEST_F(SnipBackground, MeasuredProfileKeepsFarFewerPointsNegative) {
  SKIP_WITHOUT_SHARED_DATA();
  host.fileType = FileType::Auto;
  host.openPath = SharedData("datalab__TiOF.brml");
  OnFileOpen(view);
  ASSERT_EQ(doc.m_nData, 2469);
  OnBackRemove(view);
  OnBackSubtract(view);
  EXPECT_EQ(NegativePoints(), 1173);

  host.fileType = FileType::Auto;
  host.openPath = SharedData("datalab__TiOF.brml");
  OnFileOpen(view);
  ASSERT_TRUE(OnBackSnip(view));
  OnBackSubtract(view);
  EXPECT_EQ(NegativePoints(), 559);
}

}  // namespace
