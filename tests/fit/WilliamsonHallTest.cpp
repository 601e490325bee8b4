#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <random>
#include <sstream>
#include <string>

#include "fit/WilliamsonHall.h"
#include "tests/support/ScriptRun.h"
#include "tests/support/SharedData.h"
#include "tests/support/TempFile.h"

namespace {

constexpr double kLambda = 1.5406;
constexpr double kDegree = std::numbers::pi / 180.0;

// A report of peaks with the given positions and β cos θ (radians) ± error.
PeakReport ReportOf(const std::vector<std::array<double, 3>>& peaks) {
  PeakReport report;
  int k = 0;
  for (const auto& [position, term, error] : peaks) {
    PeakResult r;
    r.peak = ++k;
    r.position.value = position;
    r.height.value = 100.0;
    r.fwhmCosTheta = {term, error};
    report.peaks.push_back(r);
  }
  return report;
}

double X(double position) { return 4 * std::sin(0.5 * position * kDegree); }

ReportSettings Settings() {
  ReportSettings s;
  s.wavelength = kLambda;
  return s;
}

TEST(WilliamsonHall, TwoPeaksGiveTheExactLineWithoutReducedChisq) {
  const double intercept = 0.9 * kLambda / 400.0;  // 40 nm
  const double strain = 2e-3;
  const WilliamsonHall wh = AnalyseWilliamsonHall(
      ReportOf({{30, intercept + strain * X(30), 1e-4}, {60, intercept + strain * X(60), 2e-4}}),
      Settings(), BreadthMeasure::kFwhm);
  ASSERT_TRUE(wh.line);
  EXPECT_NEAR(*wh.sizeNm.value, 40.0, 1e-9);
  EXPECT_NEAR(*wh.strain.value, strain, 1e-12);
  EXPECT_NEAR(wh.line->chisq, 0.0, 1e-18);
  EXPECT_TRUE(std::isnan(wh.line->reducedChisq));
  EXPECT_GT(*wh.sizeNm.error, 0.0);
  // One usable peak is no line; nor are two at one angle.
  EXPECT_FALSE(AnalyseWilliamsonHall(ReportOf({{30, 0.004, 1e-4}, {60, 0.005, 0.0}}), Settings(),
                                     BreadthMeasure::kFwhm)
                   .line);
  EXPECT_FALSE(FitWeightedLine({{1, 1.0, 0.004, 1e-4}, {2, 1.0, 0.005, 1e-4}}));
}

// Points scattering more than their σ: the line's σ grow by √(reduced χ²);
// points that scatter less keep the σ of their weights. The expected values
// come from the normal equations written out for four points of equal σ.
TEST(WilliamsonHall, ErrorsAreScaledByTheScatterOfTheLineWhenItExceedsTheirSigma) {
  const double sigma = 1e-4;
  const std::vector<WilliamsonHallPoint> points = {{1, 1.0, 0.0040, sigma},
                                                   {2, 2.0, 0.0055, sigma},
                                                   {3, 3.0, 0.0058, sigma},
                                                   {4, 4.0, 0.0075, sigma}};
  const std::optional<StraightLine> line = FitWeightedLine(points);
  ASSERT_TRUE(line);
  // Unweighted least squares of equal σ: slope = Sxy/Sxx about the means.
  const double mx = 2.5, my = (0.0040 + 0.0055 + 0.0058 + 0.0075) / 4;
  double sxy = 0, sxx = 0;
  for (const auto& p : points) {
    sxy += (p.x - mx) * (p.y - my);
    sxx += (p.x - mx) * (p.x - mx);
  }
  const double slope = sxy / sxx, intercept = my - slope * mx;
  double rss = 0;
  for (const auto& p : points) rss += std::pow(p.y - intercept - slope * p.x, 2);
  const double reduced = rss / (sigma * sigma) / 2;
  ASSERT_GT(reduced, 1.0);
  EXPECT_NEAR(line->slope, slope, 1e-12);
  EXPECT_TRUE(line->errorsScaled);
  EXPECT_NEAR(line->slopeError, sigma / std::sqrt(sxx) * std::sqrt(reduced), 1e-12);
  EXPECT_NEAR(line->interceptError, sigma * std::sqrt(1.0 / 4 + mx * mx / sxx) * std::sqrt(reduced),
              1e-12);

  std::vector<WilliamsonHallPoint> loose = points;
  for (auto& p : loose) p.error = 1e-2;
  const std::optional<StraightLine> calm = FitWeightedLine(loose);
  EXPECT_FALSE(calm->errorsScaled);
  EXPECT_NEAR(calm->slopeError, 1e-2 / std::sqrt(sxx), 1e-12);
}

TEST(WilliamsonHall, ANegativeInterceptGivesANoteInsteadOfASize) {
  const WilliamsonHall wh = AnalyseWilliamsonHall(ReportOf({{30, -1e-4 + 3e-3 * X(30), 1e-5},
                                                            {50, -1e-4 + 3e-3 * X(50), 1e-5},
                                                            {70, -1e-4 + 3e-3 * X(70), 1e-5}}),
                                                  Settings(), BreadthMeasure::kFwhm);
  ASSERT_TRUE(wh.line);
  EXPECT_LT(wh.line->intercept, 0.0);
  EXPECT_FALSE(wh.sizeNm.value);
  EXPECT_NEAR(*wh.strain.value, 3e-3, 1e-9);
  ASSERT_EQ(wh.notes.size(), 1u);
  EXPECT_NE(wh.notes[0].find("切片が正でない"), std::string::npos);
}

// Lorentzian lines of a cubic lattice (a = 4.2 Å) whose FWHM follows the
// Williamson–Hall relation for D = 30 nm and ε = 1.5e-3, as Poisson counts.
std::string SyntheticProfile() {
  const double a = 4.2, size = 300.0, strain = 1.5e-3;
  std::vector<double> positions;
  for (const int hkl2 : {3, 4, 8, 11, 12, 16}) {
    positions.push_back(2 * std::asin(kLambda * std::sqrt(hkl2) / (2 * a)) / kDegree);
  }
  std::mt19937 random(5);
  std::ostringstream out;
  for (double x = 30.0; x <= 100.0; x += 0.02) {
    double mean = 3000.0;  // a high background: nearly even counting noise
    for (const double p : positions) {
      const double theta = 0.5 * p * kDegree;
      const double beta = (0.9 * kLambda / size + 4 * strain * std::sin(theta)) / std::cos(theta);
      const double u = (x - p) / (0.5 * beta / kDegree);
      mean += 1500.0 / (1 + u * u);
    }
    out << x << ' ' << std::poisson_distribution<int>(mean)(random) << '\n';
  }
  return out.str();
}

// The number after "key": in one line of JSON.
double JsonValue(const std::string& json, const std::string& key) {
  const std::size_t at = json.find("\"" + key + "\": ");
  EXPECT_NE(at, std::string::npos) << key;
  return std::stod(json.substr(at + key.size() + 4));
}

TEST(WilliamsonHallScript, RecoversSizeAndStrainOfASyntheticProfile) {
  const std::string path = WriteTempFile("wh-synthetic.xy", SyntheticProfile());
  const ScriptOutcome r =
      RunScript("open auto " + path + "; wavelength 1.5406; williamson-hall; find-peaks; " +
                "conditions lorentz 0.00001; fit; fit; fit; williamson-hall");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string json = r.out.substr(r.out.rfind("{\"peaks\""));
  EXPECT_NE(r.out.find("disabled: williamson-hall"), std::string::npos);
  EXPECT_EQ(JsonValue(json, "peaks"), 6);
  const double size = JsonValue(json, "size_nm"), sizeErr = JsonValue(json, "size_nm_err");
  const double strain = JsonValue(json, "strain"), strainErr = JsonValue(json, "strain_err");
  EXPECT_NEAR(size, 30.0, sizeErr);
  EXPECT_NEAR(strain, 1.5e-3, strainErr);
  EXPECT_LT(sizeErr, 3.0);
  EXPECT_LT(JsonValue(json, "reduced_chisq"), 4.0);
}

TEST(WilliamsonHallScript, NaClGivesSizeAndStrainAfterFindPeaksAndAFit) {
  SKIP_WITHOUT_SHARED_DATA();
  const ScriptOutcome r = RunScript(
      "open rigaku " + SharedData("AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc") +
      "; range 26 68 0 3000; find-peaks 6; state; conditions pvoigt 0.0001; fit; fit; fit; "
      "williamson-hall; williamson-hall integral");
  ASSERT_EQ(r.status, 0) << r.err;
  // The five lines of NaCl and the weak 311, strongest first, each within two
  // data steps of the maximum read off the data.
  std::istringstream positions(r.out.substr(r.out.find("\"m_position\": [") + 15));
  for (const double line : {31.68, 45.44, 56.44, 27.34, 66.18, 53.82}) {
    double found = 0;
    char separator = 0;
    positions >> found >> separator;
    EXPECT_NEAR(found, line, 0.04);
  }
  const std::size_t first = r.out.find("{\"peaks\": 6");
  ASSERT_NE(first, std::string::npos) << r.out;
  const std::string json = r.out.substr(first);
  EXPECT_GT(JsonValue(json, "size_nm"), 20.0);
  EXPECT_GT(JsonValue(json, "size_nm_err"), 0.0);
  EXPECT_GT(JsonValue(json, "strain_err"), 0.0);
  EXPECT_NE(json.find("{\"peaks\": 6", 1), std::string::npos);  // the integral breadth too
}

}  // namespace
