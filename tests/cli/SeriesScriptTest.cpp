#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/ScriptRun.h"
#include "tests/support/TempFile.h"

namespace {

namespace fs = std::filesystem;

// A Lorentzian peak at position on a flat background over 28..34.
std::string Profile(double position) {
  std::ostringstream text;
  for (int i = 0; i <= 600; ++i) {
    const double x = 28.0 + 0.01 * i;
    const double u = (x - position) / 0.1;
    text << x << ' ' << 1000.0 / (1.0 + u * u) + 50.0 << '\n';
  }
  return text.str();
}

int Lines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST(SeriesScript, ExpandsPatternsAndListsAndWritesOnlyTheCsv) {
  const fs::path dir =
      fs::path(::testing::TempDir()) / ("tav-series-cli-" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  for (int k = 0; k < 3; ++k) {
    std::string name = "s";  // not "s" + std::to_string(k), which GCC 12 -O3 warns of, wrongly
    name += std::to_string(k) + ".xy";
    std::ofstream(dir / name) << Profile(30.0 + 0.02 * k);
  }
  std::ofstream(dir / "list.txt") << (dir / "s2.xy").string() << "\r\n\n"
                                  << (dir / "s0.xy").string() << "\n";
  const std::string out = (dir / "out.csv").string();
  const std::string setup =
      "open xy " + (dir / "s0.xy").string() + "; range 28 34 0 1100; peak-mode; peak 30 1040\n";

  const ScriptOutcome disabled = RunScript("series " + out + " " + (dir / "s0.xy").string());
  EXPECT_EQ(disabled.out, "disabled: series\n");

  const ScriptOutcome pattern = RunScript(setup + "series-mode independent; series-jobs 2\n" +
                                          "series " + out + " \"" + dir.string() + "/s*.xy\"");
  ASSERT_EQ(pattern.status, 0) << pattern.err;
  EXPECT_EQ(pattern.out, "");
  EXPECT_EQ(Lines(pattern.err), 4) << pattern.err;
  EXPECT_NE(pattern.err.find("series: 3 files, 0 failed -> " + out), std::string::npos);
  const std::string csv = ReadFileBytes(out);
  EXPECT_EQ(Lines(csv), 4);
  EXPECT_EQ(csv.substr(0, csv.find('\n')),
            "file,index,status,peak,shape,position,position_err,height,height_err,fwhm,fwhm_err,"
            "area,area_err,shape_param,shape_param_err,d,d_err,size_nm,size_nm_err,chisq,"
            "reduced_chisq,rwp");
  EXPECT_NE(csv.find((dir / "s2.xy").string() + ",2,ok,1,lorentz,30.04"), std::string::npos) << csv;

  // A list is sorted like the rest: s0 gets index 0.
  const ScriptOutcome listed =
      RunScript(setup + "series " + out + " @" + (dir / "list.txt").string());
  ASSERT_EQ(listed.status, 0) << listed.err;
  EXPECT_EQ(ReadFileBytes(out).find((dir / "s0.xy").string() + ",0,ok"),
            ReadFileBytes(out).find('\n') + 1);

  for (const std::string& bad :
       std::vector<std::string>{"series-jobs 0", "series-jobs 257", "series-shard 2 2",
                                "series-shard 0 0", "series-mode parallel", "series " + out,
                                "series " + out + " @" + (dir / "none.txt").string()}) {
    EXPECT_EQ(RunScript(setup + bad).status, 2) << bad;
  }
  fs::remove_all(dir);
}

}  // namespace
