#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/ScriptRun.h"
#include "tests/support/SharedData.h"
#include "tests/support/SyntheticStandard.h"
#include "tests/support/TempFile.h"

namespace {

constexpr double kPi = std::numbers::pi;

// A number of a one-line JSON object by its key (the first such key).
double JsonValue(const std::string& json, const std::string& key) {
  const std::size_t at = json.find("\"" + key + "\": ");
  if (at == std::string::npos) return std::nan("");
  return std::strtod(json.c_str() + at + key.size() + 4, nullptr);
}

// The lines of out that start with '{'.
std::vector<std::string> JsonLines(const std::string& out) {
  std::vector<std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] == '{') lines.push_back(line);
  }
  return lines;
}

// A synthetic standard: Gaussian peaks of a primitive cubic cell at Bragg
// angles shifted by a zero error, their FWHM from Caglioti's U, V, W, on a
// flat background, with Poisson-like noise of a fixed seed.
struct Standard {
  double a = 4.1569;
  double lambda = 1.5406;
  double zero = 0.03;
  double u = 0.004, v = -0.002, w = 0.003;
  std::vector<double> peaks;  // 2θ with the zero shift

  double Fwhm(double twoTheta) const {
    const double t = std::tan(twoTheta * kPi / 360.0);
    return std::sqrt(u * t * t + v * t + w);
  }

  std::string Profile() {
    for (int n = 1; n <= 20; ++n) {
      // Every h² + k² + l² but 7 and 15 up to 20 (none sums to them).
      if (n == 7 || n == 15) continue;
      const double d = a / std::sqrt(static_cast<double>(n));
      const double twoTheta = 2.0 * std::asin(lambda / (2.0 * d)) * 180.0 / kPi + zero;
      if (twoTheta < 125.0) peaks.push_back(twoTheta);
    }
    return GaussianStandardProfile(
        peaks, [this](double p) { return Fwhm(p); }, 15.0, 11000, 12345);
  }
};

// Fits every peak in a window of its own and adds it to the calibration set.
std::string FitEachPeak(const std::vector<double>& peaks, double halfWindow) {
  std::string script;
  for (const double p : peaks) {
    char line[160];
    std::snprintf(line, sizeof line,
                  "range %.4f %.4f 0 100000; find-peaks 1; fit; fit; calibrate add; rclick\n",
                  p - halfWindow, p + halfWindow);
    script += line;
  }
  return script;
}

TEST(CalibrationScript, RecoversResolutionZeroShiftAndCellOfASyntheticStandard) {
  Standard standard;
  const std::string path = WriteTempFile("tav-synthetic-standard.xy", standard.Profile());
  const std::string saved = ::testing::TempDir() + "tav-synthetic.instrument.json";
  const std::string resaved = ::testing::TempDir() + "tav-synthetic-again.instrument.json";
  const ScriptOutcome run = RunScript(
      "open xy " + path + "\nwavelength 1.5406\nconditions gauss 0.00001\nstep-messages off\n" +
      FitEachPeak(standard.peaks, 0.4) +
      "calibrate fit\nlattice cubic 4.15\nlattice refine zero\n"
      "instrument save " +
      saved + "\ninstrument load " + saved + "\ninstrument save " + resaved + "\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> json = JsonLines(run.out);
  ASSERT_EQ(json.size(), 2u) << run.out;

  const std::string& caglioti = json[0];
  EXPECT_EQ(JsonValue(caglioti, "peaks"), 18.0);
  for (const auto& [key, truth] :
       {std::pair{"U", standard.u}, {"V", standard.v}, {"W", standard.w}}) {
    const double value = JsonValue(caglioti, key);
    const double sigma = JsonValue(caglioti, std::string(key) + "_err");
    EXPECT_GT(sigma, 0.0) << key;
    EXPECT_LT(sigma, 0.1 * std::fabs(truth)) << key;
    EXPECT_LT(std::fabs(value - truth), 3.0 * sigma) << key << " " << value << " ± " << sigma;
  }

  const std::string& lattice = json[1];
  EXPECT_EQ(JsonValue(lattice, "peaks"), 18.0) << lattice;
  const double a = JsonValue(lattice, "a"), aErr = JsonValue(lattice, "a_err");
  const double zero = JsonValue(lattice, "zero"), zeroErr = JsonValue(lattice, "zero_err");
  EXPECT_LT(aErr, 1e-4);
  EXPECT_LT(std::fabs(a - standard.a), 3.0 * aErr) << a << " ± " << aErr;
  EXPECT_LT(std::fabs(zero - standard.zero), 3.0 * zeroErr) << zero << " ± " << zeroErr;
  // 221 and 300 lie at one angle: one reflection with both names. The rough
  // starting cell leaves the highest peaks unindexed until the refined cell
  // indexes them.
  EXPECT_NE(lattice.find("\"hkl\": \"221/300\""), std::string::npos);
  EXPECT_NE(lattice.find("\"unindexed\": []"), std::string::npos);

  EXPECT_EQ(ReadFileBytes(saved), ReadFileBytes(resaved));
}

TEST(CalibrationScript, RefusalsAreMessagesThatChangeNothing) {
  const ScriptOutcome run = RunScript(
      "calibrate fit\ncalibrate remove 1\ninstrument use on\ninstrument save /nonexistent/x.json\n"
      "lattice refine zero\nlattice cubic 4 F\nlattice refine\nlattice correct on\n"
      "instrument load /nonexistent/x.json\ncalibrate add\ncalibrate list\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(
      run.out,
      "message: 半値幅とその不確かさが求められたピークが 3 本未満のため、装置関数は求められません\n"
      "message: 校正セットにピーク 1 はありません\n"
      "message: 装置関数がないため使えません（calibrate fit か instrument load "
      "で用意してください）\n"
      "message: 保存する装置関数がありません\n"
      "message: 相の格子が設定されていないため、格子定数は精密化できません\n"
      "message: 波長が不明のため、格子定数は精密化できません\n"
      "message: 零点とずれが精密化されていないため、位置を補正できません\n"
      "message: 装置関数ファイル /nonexistent/x.json を読めません: No such file or directory\n"
      "disabled: calibrate\n"
      "{\"peaks\": []}\n");
  for (const char* bad :
       {"lattice cubic 4 C", "lattice hexagonal 3", "lattice cubic -1", "instrument use maybe",
        "calibrate remove 0", "goniometer-radius 0", "williamson-hall exclude x"}) {
    EXPECT_EQ(RunScript(bad).status, 2) << bad;
  }
}

TEST(CalibrationScript, RejectsAnInstrumentFileThatIsNotOne) {
  const std::string broken = WriteTempFile("tav-broken.instrument.json",
                                           "{\"format\": \"tav-instrument\", \"version\": 1}");
  const ScriptOutcome run = RunScript("instrument load " + broken + "\ninstrument use on\n");
  EXPECT_NE(run.out.find("を読めません: no \"standard\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("装置関数がないため使えません"), std::string::npos) << run.out;
}

// The CSV rows of a report (the header line left out), split at commas.
std::vector<std::vector<std::string>> ReportRows(const std::string& out, std::size_t from) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream in(out.substr(from));
  std::string line;
  std::getline(in, line);  // the header
  while (std::getline(in, line) && !line.empty() &&
         std::isdigit(static_cast<unsigned char>(line[0]))) {
    std::vector<std::string> cells;
    std::istringstream cellsIn(line);
    for (std::string cell; std::getline(cellsIn, cell, ',');) cells.push_back(cell);
    rows.push_back(cells);
  }
  return rows;
}

TEST(CalibrationScript, CorrectedDSpacingsFollowTheRefinedZeroShift) {
  Standard standard;
  const std::string path = WriteTempFile("tav-synthetic-d.xy", standard.Profile());
  const ScriptOutcome run =
      RunScript("open xy " + path +
                "\nwavelength 1.5406\nconditions gauss 0.00001\nstep-messages off\n"
                "range 18 58 0 100000; find-peaks 10; fit; fit\n"
                "lattice cubic 4.15\nlattice refine zero\nreport\nlattice correct on\nreport\n"
                "lattice correct off\nreport\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string refined = JsonLines(run.out).at(0);
  const double zero = JsonValue(refined, "zero");
  const std::size_t first = run.out.find("peak,shape");
  const std::size_t second = run.out.find("peak,shape", first + 1);
  const std::size_t third = run.out.find("peak,shape", second + 1);
  ASSERT_NE(third, std::string::npos) << run.out;
  const auto raw = ReportRows(run.out, first), corrected = ReportRows(run.out, second),
             again = ReportRows(run.out, third);
  ASSERT_EQ(raw.size(), 6u);
  ASSERT_EQ(corrected.size(), 6u);
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const double position = std::stod(raw[i][2]);
    const double d = std::stod(corrected[i][12]), dErr = std::stod(corrected[i][13]);
    // Bragg's law at the position less the refined zero shift.
    const double expected = 1.5406 / (2.0 * std::sin((position - zero) * kPi / 360.0));
    EXPECT_NEAR(d, expected, 1e-9 * expected);
    // The cell's own d-spacing: within the uncertainties once corrected,
    // well outside them as measured.
    const double n = std::round(std::pow(standard.a / d, 2));
    const double cellD = standard.a / std::sqrt(n);
    EXPECT_LT(std::fabs(d - cellD), 3.0 * dErr + 2e-5) << i;
    EXPECT_GT(std::fabs(std::stod(raw[i][12]) - cellD), 10.0 * dErr) << i;
    EXPECT_EQ(again[i][12], raw[i][12]);
  }
}

TEST(CalibrationScript, RefusalsLeaveTheSessionAsItWasAndUndoTakesCommandsBack) {
  Standard standard;
  const std::string path = WriteTempFile("tav-synthetic-refusals.xy", standard.Profile());
  // Two peaks are too few for U, V, W; without a wavelength nothing is
  // indexed or refined. Each refusal leaves no function, phase correction
  // or set change behind.
  const ScriptOutcome run = RunScript(
      "open xy " + path +
      "\nconditions gauss 0.00001\nstep-messages off\nrange 18 34 0 100000; find-peaks 10; "
      "fit; fit\ncalibrate add\ncalibrate fit\ninstrument use on\nlattice cubic 4.15\n"
      "lattice refine zero\nlattice correct on\ncalibrate list\n"
      "undo\nundo\ncalibrate list\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("3 本未満のため、装置関数は求められません"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("装置関数がないため使えません"), std::string::npos);
  EXPECT_NE(run.out.find("波長が不明のため、格子定数は精密化できません"), std::string::npos);
  EXPECT_NE(run.out.find("零点とずれが精密化されていないため"), std::string::npos);
  const std::vector<std::string> lists = JsonLines(run.out);
  ASSERT_EQ(lists.size(), 2u) << run.out;
  EXPECT_EQ(std::count(lists[0].begin(), lists[0].end(), '{'), 3);  // the object and two peaks
  // Undo takes back the phase, then the added peaks (refusals made no step).
  EXPECT_EQ(lists[1], "{\"peaks\": []}");

  // A fitted function goes back with undo: nothing to save afterwards.
  const ScriptOutcome fitted = RunScript(
      "open xy " + path +
      "\nconditions gauss 0.00001\nstep-messages off\nrange 18 58 0 100000; find-peaks 10; "
      "fit; fit\ncalibrate add\ncalibrate fit\nundo\ninstrument save " +
      ::testing::TempDir() + "tav-undone.json\n");
  ASSERT_EQ(fitted.status, 0) << fitted.err;
  EXPECT_EQ(JsonLines(fitted.out).size(), 1u);
  EXPECT_NE(fitted.out.find("保存する装置関数がありません"), std::string::npos) << fitted.out;
}

// The reflections of NaCl (Cu Kα, 2θ below 70°), each fitted with the doublet.
std::string FitNaCl() {
  std::string script = "open rigaku \"" +
                       SharedData("AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc") +
                       "\"\nconditions pvoigt 0.0001\ndoublet on\nstep-messages off\n";
  for (const double p : {27.37, 31.70, 45.45, 53.87, 56.48, 66.23}) {
    char line[160];
    std::snprintf(line, sizeof line,
                  "range %.2f %.2f 0 100000; find-peaks 1; fit; calibrate add; rclick\n", p - 0.8,
                  p + 0.9);
    script += line;
  }
  return script;
}

TEST(CalibrationScript, RefinesTheCellOfNaClWithAZeroShift) {
  SKIP_WITHOUT_SHARED_DATA();
  const ScriptOutcome run = RunScript(FitNaCl() + "lattice cubic 5.64 F\nlattice refine zero\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> json = JsonLines(run.out);
  ASSERT_EQ(json.size(), 1u) << run.out;
  const double a = JsonValue(json[0], "a"), aErr = JsonValue(json[0], "a_err");
  EXPECT_EQ(JsonValue(json[0], "peaks"), 6.0);
  // Literature 5.6402 Å; this laboratory pattern gives 5.6428(9) Å.
  EXPECT_NEAR(a, 5.6402, 0.004) << a << " ± " << aErr;
  EXPECT_GT(aErr, 0.0);
  EXPECT_LT(aErr, 0.002);
  EXPECT_NE(json[0].find("\"hkl\": \"111\""), std::string::npos);
  EXPECT_NE(json[0].find("\"hkl\": \"222\""), std::string::npos);
}

}  // namespace

namespace {

// The LaB6 standard's reflections (primitive cubic, every h² + k² + l² but
// 7 up to 12) at λ = 0.413128 Å, each fitted in a window of its own.
std::string CalibrateOnLowAnglesOfLaB6() {
  std::string script = "open auto \"" + SharedData("GSAS-II__11bmb_3844_LaB6_SRM660a.xye") +
                       "\"\nwavelength 0.413128\nconditions pvoigt 0.00001\nstep-messages off\n";
  for (int n = 1; n <= 12; ++n) {
    if (n == 7) continue;
    const double twoTheta =
        2.0 * std::asin(0.413128 * std::sqrt(n) / (2.0 * 4.15689)) * 180.0 / kPi;
    char line[160];
    std::snprintf(line, sizeof line,
                  "range %.4f %.4f 0 1000000; find-peaks 1; fit; fit; calibrate add; rclick\n",
                  twoTheta - 0.05, twoTheta + 0.05);
    script += line;
  }
  return script + "calibrate fit\n";
}

TEST(CalibrationScript, InstrumentFunctionOfOneHalfOfLaB6LeavesNoStrainInTheOther) {
  SKIP_WITHOUT_SHARED_DATA();
  // Calibrated on 2θ 5.7..19.8°, the Williamson–Hall line through the nine
  // reflections of 20.6..27.0° (other peaks) with and without the function.
  const ScriptOutcome run = RunScript(CalibrateOnLowAnglesOfLaB6() +
                                      "range 20.5 27.5 0 1000000; find-peaks 10; fit; fit; fit\n"
                                      "williamson-hall\ninstrument use on\nwilliamson-hall\n"
                                      "report\n");
  ASSERT_EQ(run.status, 0) << run.err;
  // Outside the calibrated range, said with the range to six digits.
  EXPECT_NE(run.err.find("装置関数の校正範囲 2θ 5.69614〜19.8247° の外にあり"), std::string::npos)
      << run.err;
  const std::vector<std::string> json = JsonLines(run.out);
  ASSERT_EQ(json.size(), 3u) << run.out;
  EXPECT_EQ(JsonValue(json[0], "peaks"), 11.0);
  EXPECT_EQ(JsonValue(json[1], "peaks"), 9.0);
  EXPECT_EQ(JsonValue(json[2], "peaks"), 9.0);
  // The instrument's own breadth read as the sample's: a strain far from 0.
  const double rawStrain = JsonValue(json[1], "strain");
  EXPECT_GT(std::fabs(rawStrain), 10.0 * JsonValue(json[1], "strain_err"));
  // With the function: 0 within 3σ.
  const double strain = JsonValue(json[2], "strain"), sigma = JsonValue(json[2], "strain_err");
  EXPECT_GT(sigma, 0.0);
  EXPECT_LT(std::fabs(strain), 3.0 * sigma) << strain << " ± " << sigma;
}

// Peaks left out by the user, and peaks without an hkl of the phase.
TEST(CalibrationScript, ExcludesPeaksFromWilliamsonHall) {
  SKIP_WITHOUT_SHARED_DATA();
  const std::string open = "open auto \"" + SharedData("GSAS-II__11bmb_3844_LaB6_SRM660a.xye") +
                           "\"\nwavelength 0.413128\nconditions pvoigt 0.00001\nstep-messages off\n"
                           "range 20.5 27.5 0 1000000; find-peaks 10; fit; fit\n";
  const ScriptOutcome user = RunScript(open + "williamson-hall exclude 2 3\nwilliamson-hall\n");
  ASSERT_EQ(user.status, 0) << user.err;
  EXPECT_EQ(JsonValue(JsonLines(user.out).at(0), "peaks"), 7.0);
  EXPECT_NE(user.err.find("ピーク 3: 指定により Williamson–Hall 解析から除きました"),
            std::string::npos);
  // A phase whose reflections miss most peaks leaves them out, with a note;
  // include takes one back.
  const ScriptOutcome phase =
      RunScript(open +
                "lattice cubic 4.15689 F\nwilliamson-hall\nwilliamson-hall include 1\n"
                "williamson-hall\n");
  const std::vector<std::string> json = JsonLines(phase.out);
  ASSERT_EQ(json.size(), 2u) << phase.out << phase.err;
  EXPECT_NE(phase.err.find("相の hkl が付かないため"), std::string::npos);
  EXPECT_EQ(JsonValue(json[1], "peaks"), JsonValue(json[0], "peaks") + 1.0);
}

}  // namespace

// Peaks of a profile in Q are no 2θ: the set and the cell refuse them with a
// message instead of reading Q = 2 Å⁻¹ as 2θ = 2°.
TEST(CalibrationScript, PositionsOfAProfileNotInTwoThetaAreRefused) {
  std::string chi = "pattern\nQ (A^-1)\nIntensity\n 201\n";
  for (int i = 0; i <= 200; ++i) {
    const double q = 1.9 + 0.001 * i;
    const double u = (q - 2.0) / 0.01;
    chi += std::to_string(q) + " " + std::to_string(100.0 + 1000.0 * std::exp(-u * u)) + "\n";
  }
  const std::string path = WriteTempFile("tav-q-profile.chi", chi);
  const ScriptOutcome run = RunScript(
      "open auto " + path +
      "\nrange 1.9 2.1 0 1200; peak-mode; peak 2 1000; conditions gauss 0.001; step-messages off"
      "\nfit; wavelength 1.54; calibrate add; calibrate list; lattice cubic 3.14; lattice refine");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string refusal =
      "message: 横軸が 2θ ではないプロファイル (q 1/angstrom) "
      "のピーク位置は校正や指数付けに使えませ"
      "ん\n";
  EXPECT_NE(run.out.find(refusal + "{\"peaks\": []}\n"), std::string::npos) << run.out;
  EXPECT_TRUE(run.out.ends_with(refusal)) << run.out;
}
