// The fit problem is one value of the view's state: a series in any mode
// leaves it as it was, undo restores all of it, and the fit-condition dialog
// shows what is in force.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "commands/Commands.h"
#include "history/UndoHistory.h"
#include "series/SeriesFit.h"
#include "tests/support/ScriptRun.h"
#include "tests/support/SharedData.h"
#include "view/AnsweringHost.h"
#include "view/TavView.h"

namespace {

namespace fs = std::filesystem;

// Three Gaussian peaks' worth of profile files, and one that cannot be read.
class Files {
 public:
  Files() : m_dir(fs::path(::testing::TempDir()) / ("tav-problem-" + std::to_string(getpid()))) {
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
    for (int k = 0; k < 4; ++k) {
      std::ofstream out(Path(k));
      for (int i = 0; i <= 400; ++i) {
        const double x = 28.0 + 0.01 * i;
        const double u = (x - 30.0 - 0.01 * k) / 0.12;
        out << x << ' ' << 900.0 * std::exp(-u * u) + 50.0 + (i % 7) << '\n';
      }
    }
  }
  ~Files() { fs::remove_all(m_dir); }
  std::string Path(int k) const {
    std::string name = "p";
    name += std::to_string(k);
    name += ".xy";
    return (m_dir / name).string();
  }
  std::string Missing() const { return (m_dir / "gone.xy").string(); }
  std::string Out() const { return (m_dir / "out.csv").string(); }

 private:
  fs::path m_dir;
};

// The state line of a session with a Gaussian, a tolerance and options that
// are none of the defaults, before and after a series in the given mode.
TEST(FitProblem, EverySeriesModeLeavesTheSessionsStateAsItWas) {
  const Files files;
  const std::string setup = "open xy \"" + files.Path(0) +
                            "\"; range 28 32 0 1000; peak-mode; peak 30 950; "
                            "conditions gauss 0.002; initial-width data; step-messages off; state";
  std::string all;
  for (const std::string& path : {files.Path(0), files.Path(1), files.Path(2), files.Missing()}) {
    all += " \"";
    all += path;
    all += "\"";
  }
  const std::string modes[] = {
      "series-mode chain",
      "series-mode independent; series-jobs 3",
      "series-mode independent; series-shard 1 2",
      "series-mode chain; series-shard 0 3",
  };
  for (const std::string& mode : modes) {
    const ScriptOutcome run =
        RunScript(setup + "; " + mode + "; series \"" + files.Out() + "\" " + all + "; state");
    ASSERT_EQ(run.status, 0) << mode << "\n" << run.err;
    std::istringstream lines(run.out);
    std::vector<std::string> states;
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind("{\"doc\"", 0) == 0) states.push_back(line);
    }
    ASSERT_EQ(states.size(), 2u) << run.out;
    EXPECT_EQ(states[0], states[1]) << mode;
    EXPECT_NE(states[1].find("\"g_function\": 0"), std::string::npos) << mode;
    EXPECT_NE(states[1].find("\"m_tolerance\": 0.002"), std::string::npos) << mode;
  }
}

TEST(FitProblem, ACancelledSeriesLeavesTheViewsProblemAlone) {
  const Files files;
  CTavDoc doc;
  AnsweringHost host;
  CTavView view(doc, host);
  ASSERT_TRUE(ReadProfileByContent(view, files.Path(0)));
  view.TakeLoadedProfile();
  view.OnPeakPosition();
  view.AppendPeakAt(30.0, 950.0);
  FitProblem problem = view.Problem();
  problem.shape = kSplitPseudoVoigt;
  problem.tolerance = 0.01;
  view.SetFitProblem(problem);
  std::atomic<bool> cancel{false};
  const SeriesResult result = RunSeries(
      SeriesSetupOf(view), {files.Path(0), files.Path(1), files.Path(2)}, SeriesOptions{},
      [&](const SeriesFileResult&, int, int) { cancel = true; }, &cancel);
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(result.files.size(), 1u);
  EXPECT_EQ(view.Problem(), problem);
  // The worker fitted the split shape the session asked for.
  ASSERT_TRUE(result.files[0].report);
  EXPECT_EQ(result.files[0].report->shape, kSplitPseudoVoigt);
}

// A series of the measured scans with a Gaussian: the fit after it is still
// Gaussian.
TEST(FitProblem, TheFitAfterASeriesOfMeasuredScansKeepsTheSessionsShape) {
  SKIP_WITHOUT_SHARED_DATA();
  const ScriptOutcome run = RunScript(
      "open auto \"" + SharedData("datalab__Scan_C1.xrdml") +
      "\"; range 50 54 0 100000; peak-mode; find-peaks 1; conditions gauss 0.001; "
      "step-messages off; series \"" +
      (fs::path(::testing::TempDir()) / ("tav-c-" + std::to_string(getpid()) + ".csv")).string() +
      "\" \"" + SharedData("datalab__Scan_C1.xrdml") + "\" \"" +
      SharedData("datalab__Scan_C2.xrdml") + "\"; state; fit; report");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\"g_function\": 0"), std::string::npos);
  EXPECT_NE(run.out.find("\n1,gauss,"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find(",lorentz,"), std::string::npos) << run.out;
}

TEST(FitProblem, UndoRestoresTheWholeProblemAndTheDialogShowsIt) {
  CTavDoc doc;
  AnsweringHost host;
  CTavView view(doc, host);
  UndoHistory history;
  const auto conditions = [&](FitConditions c) {
    history.Begin(view);
    host.fitCondition = c;
    OnLsqCondition(view);
    history.End(view);
  };
  conditions(FitConditions{0.01, kPseudoVoigt, true, false, false});
  conditions(FitConditions{0.0001, kGaussian, false, false, true});
  ASSERT_EQ(view.Problem().shape, kGaussian);
  ASSERT_TRUE(history.Undo(view));
  EXPECT_EQ(view.Problem().shape, kPseudoVoigt);
  EXPECT_EQ(view.Problem().tolerance, 0.01);
  EXPECT_TRUE(view.Options().m_widthFromData);
  EXPECT_FALSE(view.Options().m_stepMessages);
  // The dialog now offers what the undo restored, not what was last
  // accepted.
  host.fitCondition.reset();
  OnLsqCondition(view);
  EXPECT_EQ(host.fitConditionPreset.function, kPseudoVoigt);
  EXPECT_EQ(host.fitConditionPreset.tolerance, 0.01);
  EXPECT_TRUE(host.fitConditionPreset.widthFromData);
  EXPECT_FALSE(host.fitConditionPreset.stepMessages);
  ASSERT_TRUE(history.Undo(view));
  EXPECT_EQ(view.Problem(), FitProblem{});
}

}  // namespace
