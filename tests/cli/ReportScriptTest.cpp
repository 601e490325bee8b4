// The peak report through tav-cli's commands: after a fit, with the file's
// wavelength, with the user's, and when there is nothing to report.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "tests/support/ScriptRun.h"
#include "tests/support/SharedData.h"
#include "tests/support/TempFile.h"

namespace {

constexpr const char* kHeader =
    "peak,shape,position,position_err,height,height_err,fwhm,fwhm_err,area,area_err,"
    "shape_param,shape_param_err,d,d_err,size_nm,size_nm_err,asymmetry,asymmetry_err,"
    "shape_param_right,shape_param_right_err\n";

constexpr const char* kUnitWeightNotes =
    "note: 標準不確かさは単位重みのフィットによるもので、χ²/(N−P) で尺度化しています\n"
    "note: 強度は計数のようです: 計数統計の重み (weights counts) で計数データに見合った"
    "不確かさが得られます\n";

// The lines of text that start with prefix.
std::string LinesStartingWith(const std::string& text, const std::string& prefix) {
  std::istringstream lines(text);
  std::string line, found;
  while (std::getline(lines, line)) {
    if (line.rfind(prefix, 0) == 0) found += line + "\n";
  }
  return found;
}

TEST(ReportScript, MeasuredPeakGivesUncertaintiesDSpacingAndSize) {
  SKIP_WITHOUT_SHARED_DATA();
  const std::string csv = ::testing::TempDir() + "nacl_report.csv";
  const ScriptOutcome run = RunScript(
      "open rigaku \"" + SharedData("AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc") +
      "\"\nrange 30.5 33 0 3000; peak-mode; peak 31.70 2800\n"
      "conditions gauss 0.001; fit; report; fit-stats; report \"" +
      csv + "\"; state");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string row = LinesStartingWith(run.out, "1,gauss,");
  ASSERT_EQ(row, LinesStartingWith(ReadFileBytes(csv), "1,gauss,"));
  EXPECT_EQ(ReadFileBytes(csv).rfind(kHeader, 0), 0u);
  // Every cell but the shape parameter's is filled: uncertainties, d from
  // the file's λ1 = 1.54059 Å (NaCl 200, 2.82 Å) and a size.
  EXPECT_EQ(row.find(",,,"), row.find(",,"));
  EXPECT_NE(row.find(",,,2.8218"), std::string::npos) << row;
  // Only the notes on what the σ stand for: unit weights, and counts that
  // counting weights would weigh honestly (once a report).
  EXPECT_EQ(run.err, std::string(kUnitWeightNotes) + kUnitWeightNotes);
  EXPECT_NE(run.out.find("{\"npt\": 125, \"npar\": 5, \"chisq\": "), std::string::npos);
  EXPECT_NE(run.out.find("\"converged\": true, \"steps\": 3, \"weights\": \"unit\", "
                         "\"rexp\": null, \"gof\": null}\n"),
            std::string::npos);
  char wavelengths[120];
  std::snprintf(wavelengths, sizeof wavelengths,
                "\"wavelength1\": %.17g, \"wavelength2\": %.17g, \"ratio\": null}", 1.54059,
                1.54441);
  EXPECT_NE(run.out.find(wavelengths), std::string::npos) << run.out;
}

TEST(ReportScript, NothingToReportBeforeAFitOrOnceThePeaksChange) {
  const std::string profile =
      WriteTempFile("report_peak.xy", "1 10\n2 12\n3 30\n4 80\n5 30\n6 12\n7 10\n8 10\n");
  const ScriptOutcome run =
      RunScript("report; fit-stats; open xy " + profile +
                "; peak-mode; peak 4 80; fit; fit-stats; peak 6 12; report; fit-stats");
  EXPECT_EQ(LinesStartingWith(run.out, "disabled:"),
            "disabled: report\ndisabled: fit-stats\ndisabled: report\ndisabled: fit-stats\n");
  EXPECT_EQ(LinesStartingWith(run.out, "{\"npt\": 8, \"npar\": 5,").size() > 0, true);
  // An X-Y list states no wavelength: no d, no size, and the note says why.
  const ScriptOutcome noWavelength =
      RunScript("open xy " + profile + "; peak-mode; peak 4 80; fit; report");
  EXPECT_NE(noWavelength.out.find(kHeader), std::string::npos);
  EXPECT_NE(noWavelength.err.find("note: 波長が不明"), std::string::npos) << noWavelength.err;
  const ScriptOutcome given =
      RunScript("open xy " + profile +
                "; peak-mode; peak 4 80; fit; wavelength 1.5406; scherrer 0.94 0.01; "
                "report; state");
  EXPECT_EQ(given.err, kUnitWeightNotes);
  EXPECT_NE(given.out.find("\"wavelength1\": 1.5406, \"wavelength2\": null"), std::string::npos);
}

TEST(ReportScript, SettingsRefuseValuesThatMeanNothing) {
  for (const char* bad :
       {"wavelength 0", "wavelength -1.5", "wavelength 1.5 nan", "wavelength", "wavelength 1 2 3 4",
        "scherrer 0 0", "scherrer 0.9 -0.1", "scherrer 1"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(RunScript(bad).status, 2);
  }
  EXPECT_EQ(RunScript("wavelength 1.5406 1.5444 0.5; scherrer 0.9 0").status, 0);
}

}  // namespace
