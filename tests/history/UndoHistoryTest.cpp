#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/ScriptParser.h"
#include "cli/ScriptRunner.h"
#include "history/UndoHistory.h"
#include "tests/support/LoadedProfile.h"
#include "view/AnsweringHost.h"
#include "view/TavView.h"

namespace {

const std::string kSample = std::string(TAV_SOURCE_DIR) + "/data/sample.asc";

// One session run command by command, with everything a step could change
// printed on demand.
class Session {
 public:
  Session() : m_runner(m_out, m_err) {}

  void Run(const std::string& script) {
    for (const ScriptCommand& command : ParseScript(script)) m_runner.Execute(command.words);
  }
  // The state, the points, the profile's information and the peak report, as
  // tav-cli prints them.
  std::string Everything() {
    m_out.str("");
    Run("state; points; info; report");
    return m_out.str();
  }
  std::string Output() { return m_out.str(); }

 private:
  std::ostringstream m_out;
  std::ostringstream m_err;
  ScriptRunner m_runner;
};

}  // namespace

// Every command that changes the document or the view is one step: undone,
// the session prints exactly what it printed before; redone, exactly what it
// printed after.
TEST(UndoHistory, EveryCommandUndoesAndRedoesExactly) {
  Session s;
  const std::vector<std::string> commands = {
      "open rigaku " + kSample,
      "range 46 48.6 0 2800",
      "!peak-mode",
      "peak 47.3 2600",
      "dblclick 300 200",
      "key W",
      "key N",
      "rclick",
      "conditions gauss 0.001",
      "fit",
      "background",
      "subtract-background",
      "polarize",
      "wavelength 1.5406 1.5444 0.5",
      "doublet on 0.5",
      "scherrer 0.94 0.05",
      "wheel 300 200 2",
      "pan 40 -20",
      "range-set",
      "drag 150 100 400 300",
      "range-reset",
      "open xy " + kSample + " 3 2000",
  };
  for (const std::string& command : commands) {
    SCOPED_TRACE(command);
    // A mode change alone is no step.
    if (command[0] == '!') {
      s.Run(command.substr(1));
      continue;
    }
    const std::string before = s.Everything();
    s.Run(command);
    const std::string after = s.Everything();
    ASSERT_FALSE(before == after);
    s.Run("undo");
    EXPECT_TRUE(s.Everything() == before);
    s.Run("redo");
    EXPECT_TRUE(s.Everything() == after);
  }
}

// Undoing a fit brings back the unfitted peaks and lets the same fit run
// again to the same result; undoing the polarization restores every
// intensity bit for bit and lets it be applied again.
TEST(UndoHistory, FitAndPolarizationCanBeTakenBackAndRepeated) {
  Session s;
  s.Run("open rigaku " + kSample + "; range 46 48.6 0 2800; peak-mode; peak 47.3 2600");
  const std::string unfitted = s.Everything();
  s.Run("fit");
  const std::string fitted = s.Everything();
  s.Run("undo");
  EXPECT_EQ(s.Everything(), unfitted);
  s.Run("fit");
  EXPECT_EQ(s.Everything(), fitted);

  s.Run("polarize");
  const std::string polarized = s.Everything();
  s.Run("undo; polarize");
  EXPECT_EQ(s.Everything(), polarized);
}

TEST(UndoHistory, NothingToUndoOrRedoIsDisabledAndSelectionIsNoStep) {
  Session s;
  s.Run("undo; redo; open rigaku " + kSample + "; peak-mode; peak 47.3 2600; peak 48 900");
  s.Run("key LEFT; key RIGHT; view scale log; view ticks on; state; undo; undo; state");
  const std::string out = s.Output();
  EXPECT_EQ(out.find("disabled: undo\ndisabled: redo\n"), 0u);
  EXPECT_NE(out.find("\"m_nPeak\": 2,"), std::string::npos);
  // The two undos took back the two peaks, not the selection or the plot
  // options.
  EXPECT_NE(out.rfind("\"m_nPeak\": 0,"), std::string::npos);
}

// A step of a large profile holds its view state, not a copy of the points;
// the history keeps its last hundred steps.
TEST(UndoHistory, KeystrokesOnALargeProfileCopyNoPoints) {
  CTavDoc doc;
  AnsweringHost host;
  CTavView view(doc, host);
  const int n = 1'000'000;
  std::vector<double> x(n), y(n);
  for (int i = 0; i < n; ++i) {
    x[i] = 10.0 + i * 1e-4;
    y[i] = 100.0 + i % 97;
  }
  LoadSpectrum(view, x, y);
  UndoHistory history;
  view.OnPeakPosition();
  view.AppendPeakAt(20.0, 150.0);
  double beforeLast = 0.0;
  for (int i = 0; i < 110; ++i) {
    beforeLast = view.Peaks().m_widthFactor[1];
    history.Begin(view);
    view.OnKeyDown(keys::kW);
    history.End(view);
  }
  EXPECT_EQ(history.UndoSteps(), UndoHistory::kDefaultSteps);
  EXPECT_EQ(history.HeldPointBytes(), 0u);
  ASSERT_TRUE(history.Undo(view));
  EXPECT_EQ(view.Peaks().m_widthFactor[1], beforeLast);
}

// Point sets beyond the byte budget drop the oldest steps.
TEST(UndoHistory, PointCopiesStayWithinTheBudget) {
  CTavDoc doc;
  AnsweringHost host;
  CTavView view(doc, host);
  const std::size_t pointsBytes = 2 * 1000 * sizeof(double);
  UndoHistory history(100, 5 * pointsBytes);
  for (int load = 0; load < 20; ++load) {
    history.Begin(view);
    std::vector<double> x(1000), y(1000, load);
    for (int i = 0; i < 1000; ++i) x[i] = i;
    LoadSpectrum(view, x, y);
    history.End(view);
  }
  EXPECT_LE(history.HeldPointBytes(), 5 * pointsBytes + 64 * sizeof(double));
  EXPECT_GE(history.UndoSteps(), 4u);
  while (history.Undo(view)) {
  }
  EXPECT_GT(doc.m_y[1], 0.0);  // the oldest profiles were dropped, not restored wrongly
}
