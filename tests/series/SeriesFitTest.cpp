#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "commands/Commands.h"
#include "fit/PeakModel.h"
#include "profile/TavDoc.h"
#include "series/SeriesCsv.h"
#include "series/SeriesFit.h"
#include "tests/support/SharedData.h"
#include "tests/support/TempFile.h"
#include "view/AnsweringHost.h"
#include "view/TavView.h"

namespace {

namespace fs = std::filesystem;

// A folder of its own for each test, removed afterwards.
class SeriesFolder {
 public:
  explicit SeriesFolder(const std::string& name)
      : m_path(fs::path(::testing::TempDir()) /
               ("tav-series-" + name + "-" + std::to_string(getpid()))) {
    fs::remove_all(m_path);
    fs::create_directories(m_path);
  }
  ~SeriesFolder() { fs::remove_all(m_path); }

  std::string Write(const std::string& name, const std::string& contents) const {
    const std::string path = (m_path / name).string();
    std::ofstream(path, std::ios::binary) << contents;
    return path;
  }

 private:
  fs::path m_path;
};

// A Lorentzian peak of FWHM 0.2 on a sloping background over 28..34 in steps
// of 0.01, with a reproducible scatter of the size of counting noise.
std::string LorentzianProfile(double position, unsigned seed) {
  std::ostringstream text;
  unsigned state = seed * 2654435761u + 1u;
  for (int i = 0; i <= 600; ++i) {
    const double x = 28.0 + 0.01 * i;
    const double u = (x - position) / 0.1;
    const double y = 1000.0 / (1.0 + u * u) + 80.0 - 2.0 * (x - 28.0);
    state = state * 1664525u + 1013904223u;
    const double scatter = (static_cast<double>(state >> 8) / 16777216.0 - 0.5) * 2.0;
    text << x << ' ' << y + scatter * std::sqrt(y) << '\n';
  }
  return text.str();
}

// Files whose peak moves by drift degrees from one to the next, from 30.
std::vector<std::string> DriftingSeries(const SeriesFolder& folder, int count, double drift) {
  std::vector<std::string> paths;
  for (int k = 0; k < count; ++k) {
    const std::string name = "scan" + std::to_string(10 + k) + ".xy";
    paths.push_back(folder.Write(name, LorentzianProfile(30.0 + drift * k, k)));
  }
  return paths;
}

// A session with the first file open over 28..34 and one peak of the shape
// placed at 30.
struct Session {
  CTavDoc doc;
  AnsweringHost host;
  CTavView view{doc, host};

  explicit Session(const std::string& first, int shape = kLorentzian) {
    EXPECT_TRUE(ReadProfileByContent(view, first));
    view.TakeLoadedProfile();
    host.range = RangeValues{28.0, 34.0, 0.0, 1200.0};
    view.OnRangeInput();
    FitProblem problem = view.Problem();
    problem.shape = shape;
    view.SetFitProblem(problem);
    view.OnPeakPosition();
    view.AppendPeakAt(30.0, 1080.0);
  }
};

SeriesOptions Independent(int jobs, int shard = 0, int shards = 1) {
  SeriesOptions options;
  options.mode = SeriesMode::kIndependent;
  options.jobs = jobs;
  options.shardIndex = shard;
  options.shardCount = shards;
  return options;
}

TEST(SeriesFit, ChainedFollowsADriftThatIndependentFitsLoseTrackOf) {
  const SeriesFolder folder("drift");
  const std::vector<std::string> paths = DriftingSeries(folder, 12, 0.08);
  Session session(paths[0]);
  const SeriesSetup setup = SeriesSetupOf(session.view);

  const SeriesResult chained = RunSeries(setup, paths, SeriesOptions{});
  ASSERT_EQ(chained.files.size(), 12u);
  ASSERT_EQ(chained.peakCount, 1);
  for (const SeriesFileResult& file : chained.files) {
    ASSERT_TRUE(file.Succeeded()) << file.path << ": " << file.failure;
    EXPECT_NEAR(*file.report->peaks[0].position.value, 30.0 + 0.08 * file.index, 0.005);
    EXPECT_TRUE(file.report->peaks[0].position.error.has_value());
  }

  const SeriesResult independent = RunSeries(setup, paths, Independent(2));
  ASSERT_EQ(independent.files.size(), 12u);
  EXPECT_TRUE(independent.files[0].Succeeded());
  EXPECT_FALSE(independent.files[11].Succeeded());
  const std::string csv = FormatSeriesCsv(independent);
  EXPECT_NE(csv.find("," + std::to_string(11) + ",failed: "), std::string::npos) << csv;
}

// The workers fit copies of the session's state: after a chained and an
// independent run whose fits moved the peak, the session's view holds its
// fit problem (a shape other than a new view's) and its peaks as before.
TEST(SeriesFit, TheSessionsViewIsLeftAsItWas) {
  const SeriesFolder folder("session");
  const std::vector<std::string> paths = DriftingSeries(folder, 6, 0.02);
  Session session(paths[0], kGaussian);
  FitProblem problem = session.view.Problem();
  problem.tolerance = 0.0001;
  session.view.SetFitProblem(problem);
  ASSERT_NE(problem, FitProblem{});
  const ViewState before = session.view.State();
  const int revision = session.view.ReportRevision();
  const SeriesSetup setup = SeriesSetupOf(session.view);

  for (const SeriesOptions& options : {SeriesOptions{}, Independent(3)}) {
    const int mode = static_cast<int>(options.mode);
    const SeriesResult result = RunSeries(setup, paths, options);
    ASSERT_EQ(result.files.size(), 6u) << mode;
    ASSERT_TRUE(result.files[5].Succeeded()) << mode << ": " << result.files[5].failure;
    EXPECT_EQ(result.files[5].report->shape, kGaussian) << mode;
    EXPECT_NEAR(*result.files[5].report->peaks[0].position.value, 30.1, 0.005) << mode;

    EXPECT_EQ(session.view.Problem(), before.fit) << mode;
    EXPECT_EQ(session.view.Problem().shape, kGaussian) << mode;
    EXPECT_EQ(session.view.Peaks(), before.peaks) << mode;
    EXPECT_EQ(session.view.Range(), before.range) << mode;
    EXPECT_EQ(session.view.Background(), before.background) << mode;
    EXPECT_EQ(session.view.Reading(), before.reading) << mode;
    EXPECT_EQ(session.view.Report(), nullptr) << mode;
    EXPECT_EQ(session.view.ReportRevision(), revision) << mode;
  }
}

TEST(SeriesFit, IndependentRowsAreTheSameForAnyThreadsAndShards) {
  const SeriesFolder folder("threads");
  const std::vector<std::string> paths = DriftingSeries(folder, 9, 0.01);
  Session session(paths[0], kGaussian);  // another shape than a new view's
  const SeriesSetup setup = SeriesSetupOf(session.view);

  const std::string one = FormatSeriesCsv(RunSeries(setup, paths, Independent(1)));
  EXPECT_EQ(FormatSeriesCsv(RunSeries(setup, paths, Independent(4))), one);
  EXPECT_NE(one.find(",gauss,"), std::string::npos);

  // The shards' rows, ordered by index, are the whole run's rows.
  std::vector<SeriesFileResult> merged(paths.size());
  for (int shard = 0; shard < 3; ++shard) {
    SeriesResult part = RunSeries(setup, paths, Independent(2, shard, 3));
    ASSERT_EQ(part.files.size(), 3u);
    for (SeriesFileResult& file : part.files) {
      EXPECT_EQ(file.index % 3, shard);
      merged[static_cast<std::size_t>(file.index)] = std::move(file);
    }
  }
  SeriesResult whole;
  whole.peakCount = 1;
  whole.files = std::move(merged);
  EXPECT_EQ(FormatSeriesCsv(whole), one);
}

TEST(SeriesFit, AFailedFileIsRecordedAndTheChainGoesOn) {
  const SeriesFolder folder("failed");
  std::vector<std::string> paths = DriftingSeries(folder, 5, 0.05);
  // Sorted after scan10: a name with a comma and a quote, and nothing to read
  // in it; after scan11: two points, too few for the peak.
  paths.push_back(folder.Write("scan11,\"x\".xy", "no numbers here\n"));
  paths.push_back(folder.Write("scan11a.xy", "29 5\n29.5 6\n"));
  Session session(paths[0]);

  const SeriesResult result = RunSeries(SeriesSetupOf(session.view), paths, SeriesOptions{});
  ASSERT_EQ(result.files.size(), 7u);
  EXPECT_EQ(result.files[1].failure, "データを読み込めませんでした: " + paths[5]);
  EXPECT_TRUE(result.files[2].Succeeded());
  EXPECT_EQ(result.files[3].failure.rfind("フィットする範囲の点が少なすぎます", 0), 0u);
  for (const int k : {4, 5, 6}) {
    ASSERT_TRUE(result.files[static_cast<std::size_t>(k)].Succeeded()) << k;
    EXPECT_NEAR(*result.files[static_cast<std::size_t>(k)].report->peaks[0].position.value,
                30.0 + 0.05 * (k - 2), 0.005);
  }

  const std::string csv = FormatSeriesCsv(result);
  std::istringstream lines(csv);
  std::string line;
  for (int i = 0; i <= 2; ++i) std::getline(lines, line);
  const std::string quotedPath =
      "\"" + fs::path(paths[5]).parent_path().string() + "/scan11,\"\"x\"\".xy\"";
  EXPECT_EQ(line, quotedPath + ",1,\"failed: データを読み込めませんでした: " +
                      fs::path(paths[5]).parent_path().string() + "/scan11,\"\"x\"\".xy\",1" +
                      std::string(22, ','));
}

TEST(SeriesFit, ACancelledSeriesKeepsTheFilesDone) {
  const SeriesFolder folder("cancel");
  const std::vector<std::string> paths = DriftingSeries(folder, 8, 0.01);
  Session session(paths[0]);
  std::atomic<bool> cancel{false};
  const SeriesResult result = RunSeries(
      SeriesSetupOf(session.view), paths, SeriesOptions{},
      [&](const SeriesFileResult&, int done, int) {
        if (done == 3) cancel = true;
      },
      &cancel);
  EXPECT_TRUE(result.cancelled);
  ASSERT_EQ(result.files.size(), 3u);
  EXPECT_EQ(result.files[2].index, 2);
  EXPECT_TRUE(result.files[2].Succeeded());
}

TEST(SeriesFit, FitsTheMeasuredScansOfOneCell) {
  SKIP_WITHOUT_SHARED_DATA();
  std::vector<std::string> paths;
  for (int k = 5; k >= 1; --k) {
    paths.push_back(SharedData("datalab__Scan_C" + std::to_string(k) + ".xrdml"));
  }
  CTavDoc doc;
  AnsweringHost host;
  CTavView view(doc, host);
  if (!ReadProfileByContent(view, paths.back())) GTEST_SKIP() << "XRDML is not read yet";
  view.TakeLoadedProfile();
  host.range = RangeValues{51.4, 52.6, 0.0, 26000.0};
  view.OnRangeInput();
  view.OnPeakPosition();
  view.AppendPeakAt(51.98, 24000.0);

  const SeriesResult result = RunSeries(SeriesSetupOf(view), paths, SeriesOptions{});
  ASSERT_EQ(result.files.size(), 5u);
  for (const SeriesFileResult& file : result.files) {
    EXPECT_EQ(file.path, SharedData("datalab__Scan_C" + std::to_string(file.index + 1) + ".xrdml"));
    ASSERT_TRUE(file.Succeeded()) << file.path << ": " << file.failure;
    const PeakResult& peak = file.report->peaks[0];
    EXPECT_NEAR(*peak.position.value, 51.98, 0.05);
    EXPECT_GT(*peak.position.error, 0.0);
    EXPECT_GT(*peak.fwhm.error, 0.0);
  }
}

}  // namespace
