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
            "reduced_chisq,rwp,asymmetry,asymmetry_err,shape_param_right,shape_param_right_err");
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

namespace {

// A folder of its own for a test, removed with it.
class SeriesFolder {
 public:
  explicit SeriesFolder(const std::string& name)
      : m_dir(fs::path(::testing::TempDir()) / (name + "-" + std::to_string(getpid()))) {
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
  }
  ~SeriesFolder() { fs::remove_all(m_dir); }
  std::string Write(const std::string& name, const std::string& text) const {
    std::ofstream(m_dir / name) << text;
    return Path(name);
  }
  std::string Path(const std::string& name) const { return (m_dir / name).string(); }

 private:
  fs::path m_dir;
};

// A run's outcome and whether --strict would fail it.
struct StrictOutcome {
  ScriptOutcome run;
  bool anyFailure;
};

StrictOutcome RunStrict(const std::string& script) {
  std::ostringstream out, err;
  ScriptRunner runner(out, err);
  const int status = runner.Run(ParseScript(script));
  return {{status, out.str(), err.str()}, runner.AnyFailure()};
}

// The cells of a CSV line without quoted cells.
std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  std::istringstream in(line);
  for (std::string cell; std::getline(in, cell, ',');) cells.push_back(cell);
  return cells;
}

}  // namespace

// The table never goes over a file the series reads, however it is named, nor
// to a name that is a pattern; nothing is fitted then.
TEST(SeriesScript, AnOutputThatIsAnInputOrAPatternIsRefusedBeforeFitting) {
  const SeriesFolder dir("tav-series-out");
  const std::string a = dir.Write("a.xy", Profile(30.0));
  const std::string b = dir.Write("b.xy", Profile(30.02));
  const std::string list = dir.Write("list.txt", a + "\n");
  fs::create_symlink(b, dir.Path("link.csv"));
  fs::create_hard_link(a, dir.Path("hard.csv"));
  const std::string setup = "open xy " + a + "; range 28 34 0 1100; peak-mode; peak 30 1040; ";
  const std::string pattern = " \"" + dir.Path("*.xy") + "\"";
  const std::vector<std::pair<std::string, std::string>> refused = {
      {b + pattern, b},
      {dir.Path("link.csv") + pattern, b},
      {dir.Path("hard.csv") + pattern, a},
      {dir.Path("./b.xy") + pattern, b},
      {list + " @" + list, list},
  };
  for (const auto& [arguments, input] : refused) {
    const StrictOutcome s = RunStrict(setup + "series " + arguments);
    EXPECT_NE(s.run.out.find(" (シリーズが読むファイル " + input + " です)\n"), std::string::npos)
        << s.run.out;
    EXPECT_EQ(s.run.out.rfind("message: ファイルを保存できません: ", 0), 0u) << s.run.out;
    EXPECT_EQ(s.run.err, "");  // nothing fitted
    EXPECT_TRUE(s.anyFailure);
  }
  EXPECT_EQ(ReadFileBytes(b), Profile(30.02));
  EXPECT_EQ(ReadFileBytes(a), Profile(30.0));
  EXPECT_EQ(ReadFileBytes(list), a + "\n");

  // A wildcard in the name of a table or picture is refused as save-txt refuses it.
  for (const std::string name : {"w*.csv", "q*.png", "r?.png", "t[1].txt"}) {
    const std::string path = dir.Path(name);
    const std::string command = name[0] == 'w'   ? "series \"" + path + "\"" + pattern
                                : name[0] == 'q' ? "export-plot \"" + path + "\""
                                : name[0] == 'r' ? "render \"" + path + "\" 100 80"
                                                 : "save-txt \"" + path + "\"";
    const StrictOutcome s = RunStrict(setup + command);
    EXPECT_EQ(s.run.status, 0) << s.run.err;
    EXPECT_EQ(s.run.out, "message: ファイルを保存できません: " + path +
                             " (ファイル名にワイルドカード文字 (*, ?, [) があります)\n");
    EXPECT_TRUE(s.anyFailure) << command;
    EXPECT_FALSE(fs::exists(path)) << command;
  }
}

// A series that fitted no file fails a strict run; the closing line comes
// after the table was written and names it only then.
TEST(SeriesScript, ASeriesWithoutASuccessIsAFailureAndTheClosingLineFollowsTheWrite) {
  const SeriesFolder dir("tav-series-strict");
  const std::string good = dir.Write("good.xy", Profile(30.0));
  const std::string flat = dir.Write("flat.xy", "28 1\n34 1\n");
  const std::string out = dir.Path("out.csv");
  const std::string setup = "open xy " + good + "; range 28 34 0 1100; peak-mode; peak 30 1040; ";

  const StrictOutcome failed = RunStrict(setup + "series " + out + " " + flat);
  EXPECT_TRUE(failed.anyFailure);
  EXPECT_EQ(failed.run.out, "");
  EXPECT_NE(failed.run.err.find("series: 1 files, 1 failed -> " + out + "\n"), std::string::npos);
  EXPECT_NE(ReadFileBytes(out).find(flat + ",0,"), std::string::npos);

  const StrictOutcome some = RunStrict(setup + "series " + out + " " + flat + " " + good);
  EXPECT_FALSE(some.anyFailure) << some.run.out;
  // A shard without files fitted nothing, and failed nothing.
  EXPECT_FALSE(RunStrict(setup + "series-shard 3 4; series " + out + " " + good).anyFailure);

  const std::string nowhere = dir.Path("missing/out.csv");
  const StrictOutcome unwritten = RunStrict(setup + "series " + nowhere + " " + good);
  EXPECT_TRUE(unwritten.anyFailure);
  EXPECT_NE(unwritten.run.err.find("series: 1 files, 0 failed, nothing written\n"),
            std::string::npos)
      << unwritten.run.err;
  EXPECT_EQ(unwritten.run.err.find(" -> "), std::string::npos);
}

namespace {

// A Kα1/Kα2 doublet of Lorentzian lines: Kα1 at position, Kα2 where λ2/λ1
// puts it, half as high.
std::string DoubletProfile(double position, double lambda1, double lambda2) {
  const double theta1 = position / 2.0 * M_PI / 180.0;
  const double position2 = 2.0 * std::asin(lambda2 / lambda1 * std::sin(theta1)) * 180.0 / M_PI;
  std::ostringstream text;
  for (int i = 0; i <= 600; ++i) {
    const double x = 28.0 + 0.01 * i;
    const double u1 = (x - position) / 0.1, u2 = (x - position2) / 0.1;
    text << x << ' ' << 1000.0 / (1.0 + u1 * u1) + 500.0 / (1.0 + u2 * u2) + 50.0 << '\n';
  }
  return text.str();
}

// The same doublet as an XRDML file stating its own wavelengths.
std::string DoubletXrdml(double position, double lambda1, double lambda2) {
  std::istringstream rows(DoubletProfile(position, lambda1, lambda2));
  std::ostringstream counts;
  for (double x, y; rows >> x >> y;) counts << y << ' ';
  std::ostringstream text;
  text << "<?xml version=\"1.0\"?><xrdMeasurements><xrdMeasurement><usedWavelength>"
       << "<kAlpha1>" << lambda1 << "</kAlpha1><kAlpha2>" << lambda2 << "</kAlpha2>"
       << "<ratioKAlpha2KAlpha1>0.5</ratioKAlpha2KAlpha1></usedWavelength><scan><dataPoints>"
       << "<positions axis=\"2Theta\"><startPosition>28</startPosition>"
       << "<endPosition>34</endPosition></positions><intensities>" << counts.str()
       << "</intensities></dataPoints></scan></xrdMeasurement></xrdMeasurements>\n";
  return text.str();
}

}  // namespace

// X-Y files state no wavelength: a doublet series fits them with the
// session's; a file that states its own keeps them.
TEST(SeriesScript, FilesWithoutWavelengthsTakeTheSessionsAndOthersKeepTheirOwn) {
  const SeriesFolder dir("tav-series-doublet");
  constexpr double kCu1 = 1.5406, kCu2 = 1.5444, kCo1 = 1.78897, kCo2 = 1.79285;
  const std::string s0 = dir.Write("s0.xy", DoubletProfile(30.0, kCu1, kCu2));
  dir.Write("s1.xy", DoubletProfile(30.02, kCu1, kCu2));
  const std::string co = dir.Write("s2.xrdml", DoubletXrdml(30.04, kCo1, kCo2));
  const std::string out = dir.Path("out.csv");
  const StrictOutcome s =
      RunStrict("open xy " + s0 + "; wavelength 1.5406 1.5444 0.5; " +
                "doublet on; conditions lorentz 0.001; range 28 34 0 1600; " +
                "peak-mode; peak 30 1040; series " + out + " \"" + dir.Path("s*") + "\"");
  ASSERT_EQ(s.run.status, 0) << s.run.err;
  EXPECT_FALSE(s.anyFailure) << s.run.out;
  EXPECT_NE(s.run.err.find("3 files, 0 failed"), std::string::npos) << s.run.err;
  std::istringstream csv(ReadFileBytes(out));
  std::string line;
  std::getline(csv, line);
  const std::vector<double> lambda1 = {kCu1, kCu1, kCo1};
  for (int k = 0; k < 3; ++k) {
    ASSERT_TRUE(std::getline(csv, line));
    const std::vector<std::string> cells = Cells(line);
    ASSERT_GT(cells.size(), 15u) << line;
    EXPECT_EQ(cells[2], "ok") << line;
    const double position = std::stod(cells[5]);
    EXPECT_NEAR(position, 30.0 + 0.02 * k, 1e-6) << line;
    // d by Bragg's law with the file's own λ1, or the session's.
    const double d = lambda1[k] / (2.0 * std::sin(position / 2.0 * M_PI / 180.0));
    EXPECT_NEAR(std::stod(cells[15]), d, 1e-6) << line;
  }
}
