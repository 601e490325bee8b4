#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "commands/Commands.h"
#include "commands/PeakFit.h"
#include "fit/ParameterCovariance.h"
#include "fit/PeakModel.h"
#include "tests/support/LoadedProfile.h"
#include "tests/support/TestHost.h"
#include "text/NumberText.h"
#include "view/PeakParameters.h"
#include "view/TavView.h"

namespace {

const char* const kConverged = "収束しました";
const char* const kNotConverged = "収束していません";

// Two Lorentzian peaks on a sloping line, with a small deterministic ripple
// standing in for counting noise.
struct Synthetic {
  std::vector<double> x, y;
  Synthetic(int n, double x0, double step) {
    for (int i = 0; i < n; ++i) {
      const double t = x0 + step * i;
      const double u1 = (t - 30.0) / 0.2, u2 = (t - 31.0) / 0.3;
      x.push_back(t);
      y.push_back(500.0 / (1 + u1 * u1) + 200.0 / (1 + u2 * u2) + 2.0 * t + 40.0 +
                  std::sin(i * 1.7) * 0.5);
    }
  }
};

struct FitCommandTest : ::testing::Test {
  CTavDoc doc;
  TestHost host;
  CTavView view{doc, host};

  void Place(double x, double y) { view.AppendPeakAt(x, y); }
  void PlaceTwoPeaks() {
    view.OnPeakPosition();
    Place(29.95, 560);
    Place(31.1, 290);
  }
  // Every table value that a failed or refused fit must leave alone.
  std::vector<double> TableState() const {
    std::vector<double> s{double(view.Peaks().m_bFitted), double(view.Peaks().m_nPeak),
                          view.Peaks().m_bgA, view.Peaks().m_bgB};
    for (int k = 1; k <= 10; ++k) {
      s.push_back(view.Peaks().m_height[k]);
      s.push_back(view.Peaks().m_position[k]);
      s.push_back(view.Peaks().m_width[k]);
    }
    return s;
  }
};

TEST_F(FitCommandTest, RepeatedFitsConvergeToTheKnownPeaks) {
  const Synthetic data(400, 28.0, 0.01);
  LoadSpectrum(view, data.x, data.y);
  PlaceTwoPeaks();
  for (int fit = 0; fit < 3; ++fit) {
    host.messages.clear();
    host.icons.clear();
    const int repaints = host.repaints;
    OnLsqStart(view);
    ASSERT_GE(host.messages.size(), 2u);
    EXPECT_EQ(host.messages.back(), NumberText(view.Peaks().m_height[1]));
    EXPECT_EQ(host.icons.back(), MessageIcon::Exclamation);
    EXPECT_EQ(host.repaints, repaints + 1);
  }
  EXPECT_EQ(view.Peaks().m_bFitted, 1);
  EXPECT_TRUE(view.Peaks().m_widthFitted[1] && view.Peaks().m_widthFitted[2] &&
              !view.Peaks().m_widthFitted[3]);
  EXPECT_NEAR(view.Peaks().m_height[1], 500.0, 0.5);
  EXPECT_NEAR(view.Peaks().m_position[1], 30.0, 1e-3);
  EXPECT_NEAR(std::fabs(view.Peaks().m_width[1]), 0.2, 1e-3);
  EXPECT_NEAR(view.Peaks().m_height[2], 200.0, 0.5);
  EXPECT_NEAR(view.Peaks().m_position[2], 31.0, 1e-3);
  EXPECT_NEAR(std::fabs(view.Peaks().m_width[2]), 0.3, 1e-3);
  EXPECT_NEAR(view.Peaks().m_bgA, 2.0, 0.05);
  EXPECT_NEAR(view.Peaks().m_bgB, 40.0, 1.5);
}

TEST_F(FitCommandTest, MessageSequenceAtTheLowestTolerance) {
  const Synthetic data(400, 28.0, 0.01);
  LoadSpectrum(view, data.x, data.y);
  host.fitCondition = FitConditions{0.00001, 1};
  OnLsqCondition(view);
  PlaceTwoPeaks();
  OnLsqStart(view);
  // Not-converged boxes, at most ten, then at most one converged box, then
  // the result; a converged box ends the loop at once.
  const auto& m = host.messages;
  ASSERT_GE(m.size(), 2u);
  ASSERT_LE(m.size(), 11u);
  std::size_t i = 0;
  while (i + 1 < m.size() && m[i] == kNotConverged) ++i;
  if (i + 1 < m.size()) {
    EXPECT_EQ(m[i++], kConverged);
  }
  EXPECT_EQ(i + 1, m.size());
  if (m.size() < 11) {
    EXPECT_EQ(m[m.size() - 2], kConverged);
  }
  for (std::size_t k = 0; k + 1 < m.size(); ++k) EXPECT_EQ(host.icons[k], MessageIcon::None);
  // From a placement this rough the first fit cannot settle in one step.
  EXPECT_EQ(m[0], kNotConverged);
}

TEST_F(FitCommandTest, FailedOrEmptyFitsChangeNothing) {
  const Synthetic data(400, 28.0, 0.01);
  LoadSpectrum(view, data.x, data.y);
  host.fitCondition = FitConditions{0.001, 0};
  OnLsqCondition(view);
  view.OnPeakPosition();
  Place(29.95, 560);
  view.StateForTests().peaks.m_position[1] = 300.0;  // a Gaussian nothing in the window depends on
  const std::vector<double> before = TableState();
  const std::vector<double> spectrum = doc.m_y;
  host.messages.clear();
  OnLsqStart(view);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], "フィッティングできませんでした: gaussj: Singular Matrix-2");
  EXPECT_EQ(TableState(), before);
  EXPECT_EQ(doc.m_y, spectrum);

  view.StateForTests().peaks.m_position[1] = 30.0;
  view.StateForTests().range.m_xMin = 50.0;
  view.StateForTests().range.m_xMax = 60.0;  // no point lies in the window
  const std::vector<double> empty = TableState();
  const int repaints = host.repaints;
  host.messages.clear();
  OnLsqStart(view);
  EXPECT_EQ(host.messages, std::vector<std::string>{"フィットする範囲にデータがありません"});
  EXPECT_EQ(TableState(), empty);
  EXPECT_EQ(host.repaints, repaints);
}

TEST_F(FitCommandTest, NoMorePointsThanParametersIsRefused) {
  const Synthetic data(12, 29.5, 0.1);
  LoadSpectrum(view, data.x, data.y);
  view.OnPeakPosition();
  for (int k = 0; k < 10; ++k) Place(29.5 + 0.1 * k, 300);
  const std::vector<double> before = TableState();
  const int repaints = host.repaints;
  OnLsqStart(view);
  const std::string refusal = "フィットする範囲の点が少なすぎます: 12 点, パラメータ 32 個";
  EXPECT_EQ(host.messages, std::vector<std::string>{refusal});
  EXPECT_EQ(host.failures, std::vector<std::string>{refusal});
  EXPECT_EQ(TableState(), before);
  EXPECT_EQ(host.repaints, repaints);
  EXPECT_FALSE(view.IsSaveResultEnabled());

  // One peak and its line have five parameters: five points are refused,
  // six are fitted.
  while (view.Peaks().m_nPeak > 1) view.OnRButtonDown(0, 0);
  view.StateForTests().range.m_xMax = 29.9;
  ASSERT_EQ(view.FitWindow().size(), 5u);
  host.messages.clear();
  OnLsqStart(view);
  EXPECT_EQ(host.messages,
            std::vector<std::string>{"フィットする範囲の点が少なすぎます: 5 点, パラメータ 5 個"});
  view.StateForTests().range.m_xMax = 30.0;
  ASSERT_EQ(view.FitWindow().size(), 6u);
  host.messages.clear();
  OnLsqStart(view);
  ASSERT_FALSE(host.messages.empty());
  EXPECT_EQ(host.messages[0].find("フィットする範囲の点が少なすぎます"), std::string::npos);
}

TEST_F(FitCommandTest, FitsWindowsBeyondFourThousandPoints) {
  const Synthetic data(6000, 15.0, 0.005);
  LoadSpectrum(view, data.x, data.y);
  ASSERT_EQ(view.FitWindow().size(), 6000u);
  view.StateForTests().peaks.m_widthFactor[1] = view.StateForTests().peaks.m_widthFactor[2] =
      0.05;  // the window is 30 wide
  PlaceTwoPeaks();
  OnLsqStart(view);
  OnLsqStart(view);
  EXPECT_EQ(view.Peaks().m_bFitted, 1);
  EXPECT_NEAR(view.Peaks().m_position[1], 30.0, 1e-2);
  EXPECT_NEAR(view.Peaks().m_position[2], 31.0, 1e-2);
}

TEST_F(FitCommandTest, ConditionsPresetFromTheViewsProblemAndRepaint) {
  OnLsqCondition(view);  // cancelled: a new view's problem
  EXPECT_EQ(host.fitConditionPreset.tolerance, 0.001);
  EXPECT_EQ(host.fitConditionPreset.function, kLorentzian);
  host.fitCondition = FitConditions{0.01, kGaussian};
  OnLsqCondition(view);
  EXPECT_EQ(view.Tolerance(), 0.01);
  EXPECT_EQ(view.Problem().shape, kGaussian);

  // The dialog shows the problem in force, however it was set, not the
  // values it last accepted; cancelled, it changes nothing.
  FitProblem problem = view.Problem();
  problem.tolerance = 0.5;
  problem.shape = kPearson7;
  view.SetFitProblem(problem);
  const int repaints = host.repaints;
  OnLsqCondition(view);
  EXPECT_EQ(host.fitConditionPreset.tolerance, 0.5);
  EXPECT_EQ(host.fitConditionPreset.function, kPearson7);
  EXPECT_EQ(view.Problem(), problem);
  EXPECT_EQ(host.repaints, repaints + 1);

  host.fitCondition = FitConditions{0.001, kNoShape};
  OnLsqCondition(view);
  EXPECT_EQ(view.Problem().shape, kNoShape);
  EXPECT_EQ(view.Tolerance(), 0.001);
  EXPECT_EQ(host.repaints, repaints + 2);
  host.fitCondition = FitConditions{0.001, kLorentzian};
  OnLsqCondition(view);
  EXPECT_EQ(host.fitConditionPreset.function, kNoShape);
  EXPECT_EQ(view.Problem().shape, kLorentzian);
}

}  // namespace

TEST_F(FitCommandTest, MinimiserNormalEquationsGiveTheRecomputedCovariance) {
  // After any step call, accepted or rejected, converged or not, the
  // minimiser's matrix and chi-square are those at its parameters.
  const Synthetic data(400, 28.0, 0.01);
  LoadSpectrum(view, data.x, data.y);
  PlaceTwoPeaks();
  for (const double tolerance : {1e-12, 0.001}) {
    FitProblem problem = view.Problem();
    problem.tolerance = tolerance;
    view.SetFitProblem(problem);
    const PeakFit fit = FitViewPeaks(view, host);
    ASSERT_TRUE(fit.Succeeded());
    const int npar = static_cast<int>(fit.a.size()) - 1;
    const ParameterCovariance reused = CovarianceOfNormalEquations(fit.normal, fit.data.npt);
    const ParameterCovariance recomputed = EstimateCovariance(
        fit.data.x.data(), fit.data.y.data(), fit.data.npt, fit.a.data(), npar, ModelOf(view));
    ASSERT_TRUE(reused.Known() && recomputed.Known());
    for (int j = 1; j <= npar; ++j) {
      for (int k = 1; k <= npar; ++k) {
        const double a = reused(j, k), b = recomputed(j, k);
        EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << j << "," << k;
      }
    }
  }
}
