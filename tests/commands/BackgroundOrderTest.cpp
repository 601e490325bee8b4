// The background series refined with the peaks: against a least-squares
// polynomial worked out here by normal equations, on a measured profile
// against the line, and the command's refusals and traces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/DenseSolve.h"
#include "tests/support/ScriptRun.h"
#include "tests/support/SharedData.h"
#include "tests/support/TempFile.h"

namespace {

// A Gaussian on a cubic over 20..60°, with a ripple for noise.
std::string CurvedProfile() {
  std::ostringstream text;
  text.precision(17);
  for (int i = 0; i <= 800; ++i) {
    const double x = 20 + 0.05 * i, v = x - 40;
    const double u = (x - 38) / 0.4;
    const double y = 200 + 3 * v + 0.05 * v * v - 0.002 * v * v * v + 2 * std::sin(1.3 * i) +
                     500 * std::exp(-u * u);
    text << x << ' ' << y << '\n';
  }
  return WriteTempFile("curved.xy", text.str());
}

std::vector<std::vector<double>> CsvRows(const std::string& text) {
  std::vector<std::vector<double>> rows;
  std::istringstream lines(text);
  std::string line;
  std::getline(lines, line);  // the header
  while (std::getline(lines, line)) {
    std::vector<double> row;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ',');)
      row.push_back(cell.empty() ? NAN : std::strtod(cell.c_str(), nullptr));  // subnormals too
    rows.push_back(row);
  }
  return rows;
}

double JsonNumber(const std::string& out, const std::string& key) {
  const std::size_t at = out.rfind("\"" + key + "\": ");
  return at == std::string::npos ? NAN : std::stod(out.substr(at + key.size() + 4));
}

TEST(BackgroundOrder, WithThePeakHeldTheSeriesIsTheLeastSquaresCubic) {
  const std::string csv = ::testing::TempDir() + "curved_fit.csv";
  const ScriptOutcome run = RunScript(
      "open xy " + CurvedProfile() +
      "; range 20 60 0 1000; peak-mode; peak 38 650; conditions gauss 0.00001; "
      "step-messages off; background-order 3; fit; fit; fit; fix 1 height; fix 1 position; "
      "fix 1 width; fit; fit; fit; fit-stats; export-fit " +
      csv);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(JsonNumber(run.out, "npar"), 4);
  const std::vector<std::vector<double>> rows = CsvRows(ReadFileBytes(csv));
  ASSERT_EQ(rows.size(), 801u);
  // The data less the peak (x, y, sigma, model, background, residual, peak1)
  // fitted by a cubic in powers of v = (x − 40)/20 through the normal
  // equations.
  std::vector<std::vector<double>> normal(4, std::vector<double>(4, 0.0));
  std::vector<double> right(4, 0.0);
  const auto powers = [](double x) {
    const double v = (x - 40) / 20;
    return std::vector<double>{1, v, v * v, v * v * v};
  };
  for (const auto& r : rows) {
    const std::vector<double> p = powers(r[0]);
    for (int j = 0; j < 4; ++j) {
      right[j] += p[j] * (r[1] - r[6]);
      for (int k = 0; k < 4; ++k) normal[j][k] += p[j] * p[k];
    }
  }
  const std::vector<double> cubic = Solve(normal, right);
  double chisq = 0;
  for (const auto& r : rows) {
    const std::vector<double> p = powers(r[0]);
    const double b = cubic[0] + cubic[1] * p[1] + cubic[2] * p[2] + cubic[3] * p[3];
    EXPECT_NEAR(r[4], b, 1e-7 * 200) << r[0];
    // The background column is the model less the peak.
    EXPECT_NEAR(r[4], r[3] - r[6], 1e-9 * r[3]);
    chisq += (r[1] - r[6] - b) * (r[1] - r[6] - b);
  }
  EXPECT_NEAR(JsonNumber(run.out, "chisq"), chisq, 1e-8 * chisq);
}

// The FWHM column of the report's peak rows.
std::vector<double> Widths(const std::string& out) {
  std::vector<double> widths;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    if (line.find(",pvoigt,") == std::string::npos) continue;
    std::istringstream cells(line);
    std::string cell;
    for (int c = 0; c <= 6; ++c) std::getline(cells, cell, ',');
    widths.push_back(std::stod(cell));
  }
  return widths;
}

// A wide window of a measured profile (2θ 20–60° of a SmartLab scan, whose
// background rises and falls again): the line cannot follow it and a peak
// 20° wide takes the curvature; a cubic series follows it, the peaks stay
// sharp, χ² falls by a third, and the terms are reported.
TEST(BackgroundOrder, ACubicLowersChiSquareOnAWideWindowAndIsReported) {
  SKIP_WITHOUT_SHARED_DATA();
  const std::string session = "open auto " + SharedData("rigakuXRD__2Theta.asc") +
                              "; range 20 60 0 1e7; find-peaks 6; conditions pvoigt 0.0001; "
                              "step-messages off; ";
  const std::string fits = "fit; fit; fit; fit; fit-stats; report; correlations";
  const ScriptOutcome line = RunScript(session + fits);
  const ScriptOutcome cubic = RunScript(session + "background-order 3; " + fits);
  ASSERT_EQ(line.status, 0) << line.err;
  ASSERT_EQ(cubic.status, 0) << cubic.err;
  EXPECT_LT(JsonNumber(cubic.out, "chisq"), 0.8 * JsonNumber(line.out, "chisq"));
  const std::vector<double> lineWidths = Widths(line.out), cubicWidths = Widths(cubic.out);
  ASSERT_FALSE(cubicWidths.empty());
  EXPECT_GT(*std::max_element(lineWidths.begin(), lineWidths.end()), 10.0);
  EXPECT_LT(*std::max_element(cubicWidths.begin(), cubicWidths.end()), 1.0);
  EXPECT_EQ(JsonNumber(cubic.out, "npar"), JsonNumber(line.out, "npar") + 2);
  EXPECT_EQ(line.out.find("term,value,value_err"), std::string::npos);
  const std::size_t terms = cubic.out.find("\nterm,value,value_err\nwindow_min,");
  ASSERT_NE(terms, std::string::npos) << cubic.out;
  for (const char* name : {"\nc0,", "\nc1,", "\nc2,", "\nc3,"}) {
    const std::size_t at = cubic.out.find(name, terms);
    ASSERT_NE(at, std::string::npos) << name;
    // A value and its σ.
    const std::string row = cubic.out.substr(at + 1, cubic.out.find('\n', at + 1) - at - 1);
    EXPECT_EQ(std::count(row.begin(), row.end(), ','), 2) << row;
    EXPECT_NE(row.back(), ',') << row;
  }
  EXPECT_NE(cubic.out.find("\"c0\", \"c1\", \"c2\", \"c3\"]"), std::string::npos);
}

TEST(BackgroundOrder, BadOrdersAreScriptErrors) {
  const std::pair<const char*, const char*> cases[] = {{"7", "N must be 0..6: 7"},
                                                       {"-1", "N must be 0..6: -1"},
                                                       {"two", "not an integer: two"},
                                                       {"", "usage: background-order N"},
                                                       {"2 3", "usage: background-order N"}};
  for (const auto& [order, message] : cases) {
    const ScriptOutcome run = RunScript(std::string("background-order ") + order + "; state");
    EXPECT_EQ(run.status, 2) << order;
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;  // the run ends there
  }
}

TEST(BackgroundOrder, TheStateResultFileAndConstraintsFollowTheOrder) {
  const std::string result = ::testing::TempDir() + "curved_result.txt";
  const std::string open = "open xy " + CurvedProfile() +
                           "; range 20 60 0 1000; peak-mode; peak 38 650; "
                           "conditions gauss 0.0001; step-messages off; ";
  // The line names slope and intercept only; the state line has no series.
  const ScriptOutcome line = RunScript(open + "state; fix background c0");
  EXPECT_EQ(line.status, 2);
  EXPECT_NE(line.err.find("unknown parameter: c0"), std::string::npos) << line.err;
  EXPECT_EQ(line.out.find("\"background\""), std::string::npos);

  const ScriptOutcome series = RunScript(open +
                                         "background-order 2; fix background c2; fit; fit; "
                                         "fit-stats; state; save-result " +
                                         result + "; background-order 0; state; undo; state");
  ASSERT_EQ(series.status, 0) << series.err;
  EXPECT_EQ(JsonNumber(series.out, "npar"), 3 + 2);  // c2 held
  EXPECT_NE(series.out.find("\"name\": \"c2\", \"fixed\": true"), std::string::npos);
  EXPECT_NE(series.out.find("\"background\": {\"order\": 2, \"window\": [20, 60], \"terms\": ["),
            std::string::npos)
      << series.out;
  // Order 0 frees the terms of the other order; undo brings order 2 with
  // its held c2 back.
  const std::size_t zero = series.out.find("\"background\": {\"order\": 0,");
  ASSERT_NE(zero, std::string::npos);
  EXPECT_EQ(series.out.find("\"name\": \"c2\"", zero), series.out.rfind("\"name\": \"c2\""));
  const std::string last = series.out.substr(series.out.rfind("{\"doc\""));
  EXPECT_NE(last.find("\"background\": {\"order\": 2,"), std::string::npos) << last;
  EXPECT_NE(last.find("\"name\": \"c2\""), std::string::npos) << last;
  const std::string text = ReadFileBytes(result);
  EXPECT_NE(text.find("Background (Chebyshev, t = (2x - (Xmin + Xmax)) / (Xmax - Xmin)) Xmin, "
                      "Xmax, c0, c1, c2\n20.000000,60.000000,"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(",0.000000\nFitting Data\n"), std::string::npos);  // c2 held at 0
}

}  // namespace
