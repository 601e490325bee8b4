// The fit as data (export-fit): every value against the model written out
// here from the parameters that `state` prints.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/ScriptRun.h"
#include "tests/support/SharedData.h"
#include "tests/support/TempFile.h"

namespace {

// The numbers of the JSON array or number that follows "key": in text.
std::vector<double> JsonNumbers(const std::string& text, const std::string& key) {
  std::size_t at = text.find("\"" + key + "\": ");
  EXPECT_NE(at, std::string::npos) << key;
  if (at == std::string::npos) return {};
  at += key.size() + 4;
  std::vector<double> values;
  const bool array = text[at] == '[';
  const char* p = text.c_str() + at + (array ? 1 : 0);
  do {
    char* end = nullptr;
    values.push_back(std::strtod(p, &end));
    p = end;
    while (*p == ',' || *p == ' ') ++p;
  } while (array && *p != ']');
  return values;
}

std::vector<std::vector<std::string>> Cells(const std::string& text, char sep) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> row;
    std::size_t start = 0;
    for (std::size_t next; (next = line.find(sep, start)) != std::string::npos; start = next + 1) {
      row.push_back(line.substr(start, next - start));
    }
    row.push_back(line.substr(start));
    rows.push_back(row);
  }
  return rows;
}

double Near(double expected) { return 1e-12 * std::max(1.0, std::fabs(expected)); }

// A pseudo-Voigt line: η·Lorentz + (1 − η)·Gauss of one half width w.
double PseudoVoigt(double x, double h, double p, double w, double eta) {
  const double t = (x - p) / w;
  return h * (eta / (1 + t * t) + (1 - eta) * std::exp(-std::log(2.0) * t * t));
}

TEST(FitExport, DoubletPseudoVoigtUnderCountingWeightsEqualsTheModelOfState) {
  SKIP_WITHOUT_SHARED_DATA();
  const std::string csv = ::testing::TempDir() + "nacl_fit.csv";
  const ScriptOutcome run = RunScript(
      "open rigaku \"" + SharedData("AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc") +
      "\"\nrange 30.5 33.5 0 3000; peak-mode; peak 31.70 2800\n"
      "conditions pvoigt 0.001; doublet on; weights counts; step-messages off; fit; state; "
      "export-fit \"" +
      csv + "\"");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<double> height = JsonNumbers(run.out, "m_height");
  const std::vector<double> position = JsonNumbers(run.out, "m_position");
  const std::vector<double> width = JsonNumbers(run.out, "m_width");
  const std::vector<double> eta = JsonNumbers(run.out, "m_shapeParam");
  const double slope = JsonNumbers(run.out, "m_bgA").at(0);
  const double intercept = JsonNumbers(run.out, "m_bgB").at(0);
  const double lambda1 = JsonNumbers(run.out, "wavelength1").at(0);
  const double lambda2 = JsonNumbers(run.out, "wavelength2").at(0);
  ASSERT_GE(height.size(), 1u);
  ASSERT_GT(width[0], 0.05);  // a fitted peak, not a collapsed one
  const auto rows = Cells(ReadFileBytes(csv), ',');
  ASSERT_GT(rows.size(), 100u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"x", "y", "sigma", "model", "background", "residual",
                                               "peak1"}));
  for (std::size_t r = 1; r < rows.size(); ++r) {
    ASSERT_EQ(rows[r].size(), 7u);
    const double x = std::stod(rows[r][0]);
    const double y = std::stod(rows[r][1]);
    EXPECT_GE(x, 30.5);
    EXPECT_LE(x, 33.5);
    // Counting statistics: √(y + 1).
    EXPECT_NEAR(std::stod(rows[r][2]), std::sqrt(std::max(y, 0.0) + 1), Near(y)) << r;
    double model = intercept + slope * x;
    EXPECT_NEAR(std::stod(rows[r][4]), model, Near(model));
    for (int k = 0; k < 1; ++k) {
      const double theta2 =
          2 * std::asin(lambda2 / lambda1 * std::sin(position[k] / 2 * M_PI / 180)) * 180 / M_PI;
      const double peak = PseudoVoigt(x, height[k], position[k], width[k], eta[k]) +
                          PseudoVoigt(x, 0.5 * height[k], theta2, width[k], eta[k]);
      EXPECT_NEAR(std::stod(rows[r][6 + k]), peak, Near(peak)) << r << " peak " << k + 1;
      model += peak;
    }
    EXPECT_NEAR(std::stod(rows[r][3]), model, Near(model)) << r;
    EXPECT_NEAR(std::stod(rows[r][5]), y - model, Near(model)) << r;
  }
}

TEST(FitExport, DisabledBeforeAFitTabsForTextAndWildcardRefused) {
  const std::string profile =
      WriteTempFile("export_peak.xy", "1 10\n2 12\n3 30\n4 80\n5 30\n6 12\n7 10\n8 10\n");
  const std::string tsv = ::testing::TempDir() + "export_fit.tsv";
  const ScriptOutcome run = RunScript("open xy " + profile + "; peak-mode; peak 4 80; export-fit " +
                                      tsv + "; step-messages off; fit; export-fit " + tsv +
                                      "; export-fit " + ::testing::TempDir() + "fit*.csv");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("disabled: export-fit\n"), std::string::npos);
  EXPECT_NE(run.out.find("fit*.csv"), std::string::npos) << run.out;
  const auto rows = Cells(ReadFileBytes(tsv), '\t');
  ASSERT_EQ(rows.size(), 9u);
  EXPECT_EQ(rows[0].size(), 7u);
  // Unit weights and a profile without σ: the σ column is empty.
  for (std::size_t r = 1; r < rows.size(); ++r) EXPECT_EQ(rows[r][2], "") << r;
  EXPECT_EQ(rows[1][0], "1");
  EXPECT_EQ(rows[8][1], "10");
}

}  // namespace
