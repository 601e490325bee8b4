// The fit's weights and what follows from them: counting σ from raw counts
// and attenuation, σ read with the profile, points left out, the statistics
// of a weighted fit, and fits that start at their optimum.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "commands/Commands.h"
#include "commands/PeakFit.h"
#include "profile/TavDoc.h"
#include "tests/support/ScriptRun.h"
#include "tests/support/TempFile.h"
#include "view/AnsweringHost.h"
#include "view/TavView.h"

namespace {

// The value of a JSON key in a line of fit-stats ("null" as NaN).
double JsonValue(const std::string& json, const std::string& key) {
  const std::size_t at = json.find("\"" + key + "\": ");
  if (at == std::string::npos) return -1.0;
  const std::string rest = json.substr(at + key.size() + 4);
  if (rest.rfind("null", 0) == 0) return NAN;
  return std::stod(rest);
}

std::string Line(const std::string& text, const std::string& prefix) {
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(prefix, 0) == 0) return line;
  }
  return "";
}

// Two Lorentzian peaks on a background, the counts rounded down.
std::string TwoPeakProfile() {
  std::ostringstream text;
  for (int i = 0; i < 600; ++i) {
    const double x = 25 + i * 0.02;
    const double u1 = (x - 30) / 0.1, u2 = (x - 33) / 0.15;
    text << x << ' ' << static_cast<int>(50 + 1000 / (1 + u1 * u1) + 400 / (1 + u2 * u2)) << '\n';
  }
  return text.str();
}

const std::string kPlace =
    "; range 28 34 0 1200; peak-mode; peak 30 1080; peak 33 450; step-messages off";

// Refitting a fitted profile used to reject every trial (χ² cannot fall) and
// end each fit unconverged; from the optimum a fit now converges at once.
TEST(FitWeights, AFitStartedAtItsOptimumConverges) {
  const std::string path = WriteTempFile("optimum.xy", TwoPeakProfile());
  std::string script = "open xy " + path + kPlace + "; conditions gauss 0.001";
  for (int i = 0; i < 8; ++i) script += "; fit; fit-stats";
  const ScriptOutcome run = RunScript(script);
  ASSERT_EQ(run.status, 0) << run.err;
  std::istringstream lines(run.out);
  int fits = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("{\"npt\"", 0) != 0) continue;
    ++fits;
    EXPECT_NE(line.find("\"converged\": true"), std::string::npos) << "fit " << fits << line;
  }
  EXPECT_EQ(fits, 8);
  // The last fits start where the one before ended: one step call each.
  EXPECT_NE(Line(run.out.substr(run.out.rfind("{\"npt\"")), "{").find("\"steps\": 1,"),
            std::string::npos);
}

// A chained series of identical files: each file after the first starts at
// its optimum, and every row is ok.
TEST(FitWeights, AChainedSeriesOfCopiesGivesOkRows) {
  const std::string contents = TwoPeakProfile();
  std::string files;
  for (int k = 0; k < 10; ++k) {
    std::string name = "copy";
    name += std::to_string(k);
    name += ".xy";
    files += ' ';
    files += WriteTempFile(name, contents);
  }
  const std::string out = ::testing::TempDir() + "copies.csv";
  const ScriptOutcome run = RunScript("open xy " + ::testing::TempDir() + "copy0.xy" + kPlace +
                                      "; conditions gauss 0.001; series " + out + files);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string csv = ReadFileBytes(out);
  std::size_t ok = 0;
  for (std::size_t at = csv.find(",ok,"); at != std::string::npos; at = csv.find(",ok,", at + 1))
    ++ok;
  EXPECT_EQ(ok, 20u) << csv;  // ten files, two peaks each
  EXPECT_EQ(csv.find("failed"), std::string::npos) << csv;
}

// Far from the minimum a rejected trial under heavy damping still predicts
// a fall of χ²: no convergence is claimed there.
TEST(FitWeights, ARejectedStepFarFromTheOptimumIsNoConvergence) {
  const std::string path = WriteTempFile("far.xy", TwoPeakProfile());
  const ScriptOutcome run =
      RunScript("open xy " + path +
                "; range 25 37 0 1200; peak-mode; peak 31.5 900; "
                "step-messages off; conditions lorentz 0.00001; fit; fit-stats");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string stats = Line(run.out, "{\"npt\"");
  if (stats.find("\"converged\": true") != std::string::npos) {
    // Converged honestly: then the peak sits on one of the two.
    EXPECT_LT(JsonValue(stats, "chisq"), 1e7) << stats;
  } else {
    EXPECT_NE(stats.find("\"steps\": 10"), std::string::npos) << stats;
  }
}

// Counting weights: χ², Rwp, Rexp and gof as their definitions give them
// from the fitted model, written out here.
TEST(FitWeights, CountingWeightsGiveTheWeightedStatistics) {
  const std::string path = WriteTempFile("counts.xy", TwoPeakProfile());
  const ScriptOutcome run =
      RunScript("open xy " + path + kPlace +
                "; conditions lorentz 0.00001; weights counts; fit; fit; fit-stats; report; state");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string stats = Line(run.out, "{\"npt\"");
  EXPECT_NE(stats.find("\"weights\": \"counts\""), std::string::npos) << stats;
  const double npt = JsonValue(stats, "npt"), npar = JsonValue(stats, "npar");
  const double chisq = JsonValue(stats, "chisq");
  const double rexp = JsonValue(stats, "rexp"), gof = JsonValue(stats, "gof");
  const double rwp = JsonValue(stats, "rwp");
  EXPECT_NEAR(gof, std::sqrt(chisq / (npt - npar)), 1e-12 * gof);
  EXPECT_NEAR(gof, rwp / rexp, 1e-9 * gof);
  // Σ w·y² over the window 28..34 with w = 1/(y + 1).
  double wyy = 0.0;
  std::istringstream lines(TwoPeakProfile());
  for (double x, y; lines >> x >> y;) {
    if (x >= 28 - 1e-9 && x <= 34 + 1e-9) wyy += y * y / (y + 1);
  }
  EXPECT_NEAR(rexp, 100 * std::sqrt((npt - npar) / wyy), 1e-9 * rexp);
  EXPECT_NE(run.err.find("計数統計の重み (σ² = N + 1)"), std::string::npos) << run.err;
}

TEST(FitWeights, SigmaWeightsNeedUncertaintiesAndLeaveOutPointsWithoutThem) {
  // Without a σ column the command is refused and nothing changes.
  const std::string plain = WriteTempFile("plain.xy", TwoPeakProfile());
  const ScriptOutcome refused = RunScript("open xy " + plain + "; weights sigma; fit-stats");
  EXPECT_NE(refused.out.find("message: σ の重みには"), std::string::npos) << refused.out;

  // An XYE file whose σ is 0 or negative at two points of the window.
  std::ostringstream xye;
  std::istringstream lines(TwoPeakProfile());
  int i = 0;
  for (double x, y; lines >> x >> y; ++i) {
    const double sigma = i == 200 ? 0.0 : i == 201 ? -1.0 : std::sqrt(y + 1);
    xye << x << ' ' << y << ' ' << sigma << '\n';
  }
  const std::string path = WriteTempFile("weights.xye", xye.str());
  const ScriptOutcome run =
      RunScript("open auto " + path + kPlace + "; weights sigma; fit; fit; fit-stats; report");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string stats = Line(run.out, "{\"npt\"");
  EXPECT_EQ(JsonValue(stats, "npt"), 299) << stats;  // 301 in the window, two left out
  EXPECT_NE(stats.find("\"weights\": \"sigma\""), std::string::npos);
  EXPECT_NE(run.err.find("σ が正の数でない 2 点をフィットから外しました"), std::string::npos)
      << run.err;
}

// Raw counts and an attenuation factor: σ = factor·√(N + 1); polarization
// scales it with the intensities, and a subtracted baseline leaves it.
TEST(FitWeights, CountingSigmaFollowsTheRawCountsThroughCorrections) {
  const std::string ras = WriteTempFile(
      "attenuated.ras",
      "*RAS_DATA_START\n*RAS_HEADER_START\n*RAS_HEADER_END\n*RAS_INT_START\n"
      "20.00 100 1\n20.02 150 2.5\n20.04 0 1\n20.06 3 10\n*RAS_INT_END\n*RAS_DATA_END\n");
  CTavDoc doc;
  AnsweringHost host;
  CTavView view(doc, host);
  ASSERT_TRUE(ReadProfileByContent(view, ras));
  view.TakeLoadedProfile();
  EXPECT_DOUBLE_EQ(doc.CountingSigma(1), std::sqrt(101.0));
  EXPECT_DOUBLE_EQ(doc.CountingSigma(2), 2.5 * std::sqrt(151.0));
  EXPECT_DOUBLE_EQ(doc.CountingSigma(3), 1.0);
  EXPECT_DOUBLE_EQ(doc.CountingSigma(4), 10.0 * 2.0);
  // Intensities that are not raw counts: √(y + 1), y at least 0.
  CTavDoc plain;
  plain.SetPoints({1, 2, 3}, {99, -5, 0.44});
  EXPECT_DOUBLE_EQ(plain.CountingSigma(1), 10.0);
  EXPECT_DOUBLE_EQ(plain.CountingSigma(2), 1.0);
  EXPECT_DOUBLE_EQ(plain.CountingSigma(3), 1.2);

  const double before = doc.CountingSigma(2);
  const double y = doc.m_y[2];
  OnPolarCorrect(view);
  EXPECT_NEAR(doc.CountingSigma(2) / before, doc.m_y[2] / y, 1e-12);
  const double polarized = doc.CountingSigma(2);
  plain.KeepCountingSigma();
  plain.m_y[1] -= 50.0;  // as a subtraction does
  EXPECT_DOUBLE_EQ(plain.CountingSigma(1), 10.0);
  EXPECT_DOUBLE_EQ(doc.CountingSigma(2), polarized);
}

}  // namespace

namespace {

// Two Gaussians 0.08° apart, counts rounded down: one Lorentzian is the
// wrong model for it, two Gaussians nearly the exact one.
std::string CloseGaussiansProfile() {
  std::ostringstream text;
  for (int i = 0; i < 600; ++i) {
    const double x = 25 + i * 0.02;
    const double u1 = (x - 30) / 0.1, u2 = (x - 30.08) / 0.12;
    text << x << ' ' << static_cast<int>(50 + 1000 * std::exp(-u1 * u1) + 600 * std::exp(-u2 * u2))
         << '\n';
  }
  return text.str();
}

// The numbers of a JSON array of arrays after "key": [[...], ...].
std::vector<std::vector<double>> JsonMatrix(const std::string& json, const std::string& key) {
  std::vector<std::vector<double>> rows;
  std::size_t at = json.find("\"" + key + "\": [[");
  if (at == std::string::npos) return rows;
  at = json.find('[', at) + 1;
  while (json[at] == '[') {
    const std::size_t end = json.find(']', at);
    std::vector<double> row;
    std::istringstream numbers(json.substr(at + 1, end - at - 1));
    for (std::string cell; std::getline(numbers, cell, ',');) row.push_back(std::stod(cell));
    rows.push_back(row);
    at = json.find_first_not_of(", ", end + 1);
  }
  return rows;
}

}  // namespace

// A note for each pair whose correlation exceeds 0.95 in size, none for the
// others; a note when the model does not describe the data within its noise.
TEST(FitWeights, NotesNameStrongCorrelationsAndAPoorGoodnessOfFit) {
  const std::string path = WriteTempFile("close.xy", CloseGaussiansProfile());
  const ScriptOutcome two =
      RunScript("open xy " + path +
                "; range 29 31 0 1700; peak-mode; peak 30 1000; peak 30.1 600; step-messages off;"
                " conditions gauss 0.0001; weights counts; fit; fit; correlations; fit-stats");
  ASSERT_EQ(two.status, 0) << two.err;
  const std::string json = Line(two.out, "{\"parameters\"");
  const std::vector<std::vector<double>> r = JsonMatrix(json, "correlations");
  const std::vector<std::string> names = {"height_1",   "position_1", "width_1", "height_2",
                                          "position_2", "width_2",    "slope",   "intercept"};
  ASSERT_EQ(r.size(), names.size()) << json;
  int strong = 0;
  for (std::size_t j = 0; j < names.size(); ++j) {
    EXPECT_EQ(r[j][j], 1.0);
    for (std::size_t k = j + 1; k < names.size(); ++k) {
      EXPECT_EQ(r[j][k], r[k][j]);
      char value[16];
      std::snprintf(value, sizeof value, "%.3f", r[j][k]);
      const std::string note =
          "note: " + names[j] + " と " + names[k] + " の相関が " + value + " です";
      const bool noted = two.err.find(note) != std::string::npos;
      EXPECT_EQ(noted, std::fabs(r[j][k]) > 0.95) << names[j] << " " << names[k] << " " << value;
      strong += noted;
    }
  }
  EXPECT_GT(strong, 0);
  EXPECT_LT(JsonValue(Line(two.out, "{\"npt\""), "gof"), 1.5);
  EXPECT_EQ(two.err.find("gof = "), std::string::npos) << two.err;

  const ScriptOutcome one =
      RunScript("open xy " + path +
                "; range 29 31 0 1700; peak-mode; peak 30.03 1500; step-messages off;"
                " conditions lorentz 0.0001; weights counts; fit; fit; fit-stats; report");
  ASSERT_EQ(one.status, 0) << one.err;
  const std::string stats = Line(one.out, "{\"npt\"");
  const double gof =
      std::sqrt(JsonValue(stats, "chisq") / (JsonValue(stats, "npt") - JsonValue(stats, "npar")));
  ASSERT_GT(gof, 1.5);
  char text[32];
  std::snprintf(text, sizeof text, "note: gof = %.2f: ", gof);
  EXPECT_NE(one.err.find(text), std::string::npos) << one.err;
}
