#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "commands/PeakAnalysis.h"
#include "fit/KAlphaDoublet.h"
#include "fit/PeakFinder.h"
#include "tests/support/LoadedProfile.h"
#include "tests/support/ScriptRun.h"
#include "tests/support/SharedData.h"
#include "tests/support/TestHost.h"
#include "view/PeakParameters.h"

namespace {

constexpr double kStep = 0.02;
constexpr double kCuRatio = 1.54441 / 1.54059;  // λ(Kα2) / λ(Kα1)

struct Line {
  double position;
  double height;
  double fwhm;
};

// Lorentzian lines (each with its Kα2 line of the given height ratio) on a
// flat background, as Poisson counts of a fixed seed.
struct Profile {
  std::vector<double> x, y;
};

Profile Counts(const std::vector<Line>& lines, double background, double alpha2, unsigned seed,
               double from = 20.0, double to = 40.0) {
  std::mt19937 random(seed);
  Profile p;
  for (double x = from; x <= to + 1e-9; x += kStep) {
    double mean = background;
    for (const Line& l : lines) {
      const double hw = 0.5 * l.fwhm;
      const double u1 = (x - l.position) / hw;
      const double u2 = (x - Kalpha2Position(l.position, kCuRatio).position) / hw;
      mean += l.height / (1 + u1 * u1) + alpha2 * l.height / (1 + u2 * u2);
    }
    p.x.push_back(x);
    p.y.push_back(std::poisson_distribution<int>(mean)(random));
  }
  return p;
}

std::vector<double> Positions(const std::vector<FoundPeak>& found) {
  std::vector<double> positions;
  for (const FoundPeak& f : found) positions.push_back(f.position);
  return positions;
}

TEST(PeakFinder, FindsNothingInCountingNoise) {
  for (unsigned seed = 1; seed <= 30; ++seed) {
    for (const double background : {15.0, 300.0, 20000.0}) {
      const Profile p = Counts({}, background, 0.0, seed);
      EXPECT_TRUE(FindPeaks(p.x, p.y, PeakSearch{}).empty())
          << "seed " << seed << ", background " << background;
    }
  }
}

TEST(PeakFinder, FindsAWeakPeakBesideAStrongOneStrongestFirst) {
  // The weak line, 3% of the strong one, sits four FWHM from it.
  const Profile p = Counts({{30.0, 20000, 0.12}, {30.48, 600, 0.12}}, 100, 0.0, 7);
  const std::vector<FoundPeak> found = FindPeaks(p.x, p.y, PeakSearch{});
  ASSERT_EQ(found.size(), 2u);
  EXPECT_NEAR(found[0].position, 30.0, kStep);
  EXPECT_NEAR(found[1].position, 30.48, 2 * kStep);
  EXPECT_GT(found[0].prominence, found[1].prominence);

  PeakSearch strict;
  strict.signalToNoise = 30.0;  // too weak for this threshold
  EXPECT_EQ(FindPeaks(p.x, p.y, strict).size(), 1u);
  PeakSearch one;
  one.maxPeaks = 1;
  EXPECT_NEAR(FindPeaks(p.x, p.y, one).at(0).position, 30.0, kStep);
  PeakSearch placed;
  placed.taken = {30.01};  // a peak placed by hand is not found again
  EXPECT_EQ(Positions(FindPeaks(p.x, p.y, placed)).size(), 1u);
}

TEST(PeakFinder, AKalpha2ShoulderIsAPeakOnlyWithoutTheDoublet) {
  // At 2θ = 75° the Kα2 line lies 0.22° above Kα1: resolved at FWHM 0.08.
  const Profile p = Counts({{75.0, 8000, 0.08}}, 50, 0.5, 3, 70.0, 80.0);
  const std::vector<FoundPeak> apart = FindPeaks(p.x, p.y, PeakSearch{});
  ASSERT_EQ(apart.size(), 2u);
  EXPECT_NEAR(apart[0].position, 75.0, kStep);
  EXPECT_NEAR(apart[1].position, Kalpha2Position(75.0, kCuRatio).position, 2 * kStep);

  PeakSearch doublet;
  doublet.kalpha2WavelengthRatio = kCuRatio;
  const std::vector<FoundPeak> together = FindPeaks(p.x, p.y, doublet);
  ASSERT_EQ(together.size(), 1u);
  EXPECT_NEAR(together[0].position, 75.0, kStep);
}

TEST(FindPeaksCommand, FillsTheFreeSlotsInAnyModeWithWidthsFromTheData) {
  TestHost host;
  CTavDoc doc;
  CTavView view(doc, host);
  const Profile p = Counts({{25.0, 3000, 0.1}, {30.0, 5000, 0.1}, {35.0, 1000, 0.1}}, 100, 0.0, 11);
  LoadSpectrum(view, p.x, p.y);
  view.StateForTests().peaks.m_nPeak = 1;  // a peak placed by hand stays
  view.StateForTests().peaks.m_position[1] = 35.0;
  view.StateForTests().peaks.m_height[1] = 1100;

  EXPECT_EQ(OnFindPeaks(view), 2);  // not in peak mode, yet placed
  const PeakTable& t = view.Peaks();
  ASSERT_EQ(t.m_nPeak, 3);
  EXPECT_NEAR(t.m_position[2], 30.0, kStep);
  EXPECT_NEAR(t.m_position[3], 25.0, kStep);
  // The measured HWHM of 0.05 instead of a tenth of the 20° span.
  EXPECT_NEAR(PlacedWidth(view, 2), 0.05, 0.01);
  EXPECT_NEAR(PlacedWidth(view, 1), 2.0, 1e-12);

  EXPECT_EQ(OnFindPeaks(view), 0);
  EXPECT_EQ(host.messages.back(), "表示範囲にピークは見つかりませんでした");
}

}  // namespace

namespace {

// The positions of the placed peaks in a script's last "state" line.
std::vector<double> PlacedPositions(const std::string& out) {
  const std::size_t state = out.rfind("{\"doc\"");
  const int n = std::stoi(out.substr(out.find("\"m_nPeak\": ", state) + 11));
  std::istringstream in(out.substr(out.find("\"m_position\": [", state) + 15));
  std::vector<double> positions(n);
  char separator = 0;
  for (double& p : positions) in >> p >> separator;
  return positions;
}

// Each expected line within two data steps of one found, in any order.
void ExpectLines(const std::vector<double>& found, const std::vector<double>& lines, double step,
                 const std::string& what) {
  for (const double line : lines) {
    bool near = false;
    for (const double p : found) near = near || std::fabs(p - line) <= 2 * step;
    EXPECT_TRUE(near) << what << ": no peak at " << line;
  }
}

TEST(FindPeaksScript, FindsTheMainLinesOfMeasuredProfiles) {
  SKIP_WITHOUT_SHARED_DATA();
  struct Case {
    const char* file;
    double step;
    std::vector<double> lines;
  };
  const Case cases[] = {
      {"ornl_xrd_to_bragg_peaks__data_xrd.asc", 0.01, {26.57, 54.67, 77.46}},
      {"datalab__JO_KL_16_ZF_3_60deg_0.02step_12degpermin_001.rasx",
       0.02,
       {7.38, 10.42, 12.76, 14.74, 16.5, 18.08}},
      {"datalab__Scan_C1.xrdml", 0.0167, {51.98, 17.65}},
  };
  for (const Case& c : cases) {
    const ScriptOutcome r = RunScript("open auto " + SharedData(c.file) + "; find-peaks; state");
    ASSERT_EQ(r.status, 0) << r.err;
    ExpectLines(PlacedPositions(r.out), c.lines, c.step, c.file);
  }
}

TEST(FindPeaksScript, TheResolvedKalpha2LineOfSiliconIsAPeakOnlyWithoutTheDoublet) {
  SKIP_WITHOUT_SHARED_DATA();
  const std::string open =
      "open rigaku " + SharedData("rigakuXRD__2Theta.asc") + "; range 60 75 0 800000; ";
  const ScriptOutcome apart = RunScript(open + "find-peaks; state");
  const ScriptOutcome doublet = RunScript(open + "doublet on; find-peaks; state");
  ASSERT_EQ(apart.status, 0);
  ASSERT_EQ(doublet.status, 0);
  const std::vector<double> withKalpha2 = PlacedPositions(apart.out);
  const std::vector<double> withoutKalpha2 = PlacedPositions(doublet.out);
  ExpectLines(withKalpha2, {69.14, 69.33, 61.70}, 0.01, "doublet off");
  ExpectLines(withoutKalpha2, {69.14, 61.70}, 0.01, "doublet on");
  EXPECT_EQ(withoutKalpha2.size() + 1, withKalpha2.size());
}

TEST(FindPeaksScript, SaysDisabledWithoutAProfileAndRefusesBadArguments) {
  EXPECT_EQ(RunScript("find-peaks").out, "disabled: find-peaks\n");
  EXPECT_EQ(RunScript("find-peaks 11").status, 2);
  EXPECT_EQ(RunScript("find-peaks 5 0").status, 2);
  EXPECT_EQ(RunScript("williamson-hall size").status, 2);
  EXPECT_EQ(RunScript("williamson-hall integral").out, "disabled: williamson-hall\n");
}

}  // namespace

// A split peak starts with both halves as wide as the one width a symmetric
// peak would have: measured in the data, and widened or narrowed by the keys.
TEST(FindPeaksCommand, BothHalvesOfASplitPeakStartFromTheMeasuredWidthAndFollowTheKeys) {
  TestHost host;
  CTavDoc doc;
  CTavView view(doc, host);
  const Profile p = Counts({{30.0, 5000, 0.1}}, 100, 0.0, 11);
  LoadSpectrum(view, p.x, p.y);
  view.StateForTests().fit.shape = kSplitPseudoVoigt;
  view.StateForTests().fit.options.m_widthFromData = true;
  ASSERT_EQ(OnFindPeaks(view), 1);
  std::vector<double> a(static_cast<std::size_t>(ParameterCount(view)) + 1);
  FillPlacedParameters(view, 100.0, a.data());
  // height, position, width_left, eta_left, width_right, eta_right
  EXPECT_NEAR(a[3], 0.05, 0.01);
  EXPECT_EQ(a[5], a[3]);
  EXPECT_EQ(a[4], 0.5);
  EXPECT_EQ(a[6], 0.5);

  view.StateForTests().peaks.m_curPeak = 1;
  view.OnKeyDown(keys::kW);
  view.OnKeyDown(keys::kW);
  std::vector<double> wider(a.size());
  FillPlacedParameters(view, 100.0, wider.data());
  EXPECT_NEAR(wider[3], a[3] * 1.05 * 1.05, 1e-12);
  EXPECT_EQ(wider[5], wider[3]);
  view.OnKeyDown(keys::kN);
  FillPlacedParameters(view, 100.0, wider.data());
  EXPECT_NEAR(wider[5], a[3] * 1.05 * 1.05 * 0.95, 1e-12);
  EXPECT_EQ(wider[5], wider[3]);
}
