// The choice of scan through tav-cli: open auto PATH SCAN, info's keys and
// series-scan, on files written here with values known by construction.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/ScriptRun.h"
#include "tests/support/TempFile.h"

namespace {

namespace fs = std::filesystem;

// A CIF of two data blocks over 28..34 by 0.01: a Lorentzian peak at first
// in the first block and at second in the second.
std::string TwoBlockCif(double first, double second) {
  std::ostringstream text;
  for (const double position : {first, second}) {
    text << "data_at" << position << "\n_pd_meas_2theta_range_min 28\n"
         << "_pd_meas_2theta_range_max 34\n_pd_meas_2theta_range_inc 0.01\n"
         << "loop_\n_pd_meas_intensity_total\n";
    for (int i = 0; i <= 600; ++i) {
      const double u = (28.0 + 0.01 * i - position) / 0.1;
      text << 1000.0 / (1.0 + u * u) + 50.0 << '\n';
    }
  }
  return text.str();
}

std::string Rint(const std::string& groups) {
  return "*TYPE          =  RAS\n*GROUP_COUNT    =  " + groups +
         "\n*WAVE_LENGTH1   =  1.5406\n*BEGIN\n*GROUP          =  0\n"
         "*START          =  10\n*STEP           =  0.5\n*COUNT          =  3\n"
         "1, 2, 3\n*END\n*BEGIN\n*GROUP          =  1\n*START          =  40\n"
         "*STEP           =  0.25\n*COUNT          =  2\n7, 8\n*END\n";
}

TEST(ScanScript, OpenAutoReadsTheScanAskedForAndInfoSaysWhich) {
  const std::string cif = WriteTempFile("tav_scans.cif", TwoBlockCif(30.0, 31.0));
  const ScriptOutcome second = RunScript("open auto " + cif + " 2; info");
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_NE(second.out.find("\"format\": \"cif\""), std::string::npos) << second.out;
  EXPECT_NE(second.out.find("\"points\": 601"), std::string::npos) << second.out;
  EXPECT_NE(second.out.find("\"scans\": 2, \"scan\": 2, \"x_quantity\": \"2theta\", "
                            "\"x_unit\": \"deg\""),
            std::string::npos)
      << second.out;

  // Scan 3 of two, and a scan of a file that has only one, are refused.
  const ScriptOutcome third = RunScript("open auto " + cif + " 3; info");
  EXPECT_NE(third.out.find("3 はありません (ファイルのスキャンは 2 個です)"), std::string::npos)
      << third.out;
  EXPECT_NE(third.out.find("\"format\": null"), std::string::npos) << third.out;
  // A scan asked for by an open that failed before reading is not left for the next.
  const ScriptOutcome after =
      RunScript("open auto " + cif + ".missing 2; open auto " + cif + "; info");
  EXPECT_NE(after.out.find("\"scans\": 2, \"scan\": 1"), std::string::npos) << after.out;
  const std::string xy = WriteTempFile("tav_scans.xy", "1 2\n3 4\n");
  const ScriptOutcome xyTwo = RunScript("open auto " + xy + " 2; info");
  EXPECT_NE(xyTwo.out.find("\"format\": null"), std::string::npos) << xyTwo.out;
  EXPECT_NE(xyTwo.out.find("2 はありません (ファイルのスキャンは 1 個です)"), std::string::npos)
      << xyTwo.out;
}

TEST(ScanScript, RintGroupsAreScansAndTheFirstReadsAsAFileOfOne) {
  const std::string two = WriteTempFile("tav_groups2.asc", Rint("2"));
  const std::string one = WriteTempFile("tav_groups1.asc", Rint("1"));
  // The points as a file of one group gives them; the message says there are more.
  const ScriptOutcome first = RunScript("open auto " + two + "; points");
  const ScriptOutcome alone = RunScript("open auto " + one + "; points");
  EXPECT_EQ(alone.out, "10 1\n10.5 2\n11 3\n");
  EXPECT_EQ(first.out.substr(first.out.find('\n') + 1), alone.out);
  EXPECT_TRUE(first.out.starts_with("message: 複数のスキャンがあります")) << first.out;
  const ScriptOutcome second = RunScript("open auto " + two + " 2; points; info");
  const std::string points = second.out.substr(second.out.find('\n') + 1);
  EXPECT_EQ(points.substr(0, points.find('{')), "40 7\n40.25 8\n");
  EXPECT_NE(second.out.find("\"scans\": 2, \"scan\": 2"), std::string::npos) << second.out;
  EXPECT_NE(second.out.find("\"wavelength1\": 1.5406"), std::string::npos) << second.out;
  // A group the file does not have, and a second scan of a one-group file.
  for (const std::string& script :
       {"open auto " + two + " 3; info", "open auto " + one + " 2; info"})
    EXPECT_NE(RunScript(script).out.find("\"format\": null"), std::string::npos) << script;
}

// The position fitted in a series CSV's row of a file (its sixth field).
double FittedPosition(const std::string& csv, const std::string& file) {
  const std::size_t row = csv.find(file + ",");
  if (row == std::string::npos) return NAN;
  std::istringstream fields(csv.substr(row, csv.find('\n', row) - row));
  std::string field;
  for (int i = 0; i < 6; ++i) std::getline(fields, field, ',');
  return field.empty() ? NAN : std::stod(field);
}

TEST(ScanScript, SeriesScanFitsTheSameScanOfEachFile) {
  const fs::path dir =
      fs::path(::testing::TempDir()) / ("tav-series-scan-" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::ofstream(dir / "a.cif") << TwoBlockCif(30.0, 30.1);
  std::ofstream(dir / "b.cif") << TwoBlockCif(30.02, 30.12);
  const std::string out = (dir / "out.csv").string();
  const std::string setup = "open auto " + (dir / "a.cif").string() +
                            " 2; range 28 34 0 1100; peak-mode; peak 30.05 1040\n";
  const std::string series = "series " + out + " \"" + dir.string() + "/*.cif\"";
  const ScriptOutcome second = RunScript(setup + "series-scan 2\n" + series);
  ASSERT_EQ(second.status, 0) << second.err;
  std::string csv = ReadFileBytes(out);
  EXPECT_NEAR(FittedPosition(csv, "a.cif"), 30.1, 1e-6) << csv;
  EXPECT_NEAR(FittedPosition(csv, "b.cif"), 30.12, 1e-6) << csv;

  // The first scan by default.
  ASSERT_EQ(RunScript(setup + series).status, 0);
  csv = ReadFileBytes(out);
  EXPECT_NEAR(FittedPosition(csv, "a.cif"), 30.0, 1e-6) << csv;
  EXPECT_NEAR(FittedPosition(csv, "b.cif"), 30.02, 1e-6) << csv;
  EXPECT_EQ(RunScript("series-scan 0").status, 2);
  fs::remove_all(dir);
}

}  // namespace
