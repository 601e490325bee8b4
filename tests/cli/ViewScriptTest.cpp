#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/support/ScriptRun.h"
#include "tests/support/TempFile.h"

namespace {

const std::string kSample = std::string(TAV_SOURCE_DIR) + "/data/sample.asc";
const std::string kFitScript =
    "open rigaku " + kSample + "; range 46 48.6 0 2800; peak-mode; peak 47.3 2600; ";

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++n;
  }
  return n;
}

}  // namespace

// With no size asked for, the exported PNG is the rendered one; an SVG of the
// same plot is written by extension.
TEST(ViewScript, ExportDrawsThePlotAsRenderDoesOrAsSvg) {
  const std::string png1 = WriteTempFile("render.png", "");
  const std::string png2 = WriteTempFile("export.png", "");
  const std::string svg = WriteTempFile("export.svg", "");
  const ScriptOutcome run =
      RunScript(kFitScript + "fit; render " + png1 + "; export-plot " + png2 +
                "; view ticks on; view residuals on; export-plot " + svg + " 1200 800");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(png1), ReadFileBytes(png2));
  const std::string text = ReadFileBytes(svg);
  EXPECT_NE(text.find("<svg"), std::string::npos);
  EXPECT_NE(text.find("viewBox=\"0 0 1200 800\""), std::string::npos);
}

TEST(ViewScript, StepMessagesOffLeavesOnlyTheFinalBox) {
  const ScriptOutcome boxes = RunScript(kFitScript + "fit");
  const ScriptOutcome quiet = RunScript(kFitScript + "step-messages off; fit");
  EXPECT_GE(Count(boxes.out, "message: "), 2u);
  EXPECT_EQ(Count(quiet.out, "message: "), 1u);
  EXPECT_EQ(quiet.out, boxes.out.substr(boxes.out.rfind("message: ")));
}

TEST(ViewScript, SubtractingTheBaselineNeedsAnEstimateAndLowersTheProfile) {
  const ScriptOutcome run = RunScript("open rigaku " + kSample +
                                      "; subtract-background; background; subtract-background; "
                                      "subtract-background; state");
  ASSERT_EQ(run.status, 0) << run.err;
  // Once before the estimate, once after it was used up.
  EXPECT_EQ(Count(run.out, "disabled: subtract-background"), 2u);
  EXPECT_NE(run.out.find("\"m_bBackShown\": 0"), std::string::npos);
  EXPECT_EQ(run.out.find("\"m_yMin\": 95,"), std::string::npos);
}

// A baseline estimated from other intensities than the present ones (before
// a correction, of another file) is refused, changing nothing; one that
// matches the points again after an undo is subtracted.
TEST(ViewScript, AStaleBaselineIsNotSubtracted) {
  const std::string refusal =
      "message: "
      "強度がバックグラウンドの推定のあとで変わっています。推定し直してから差し引いてください\n";
  const std::string open = "open rigaku " + kSample + "; ";
  const ScriptOutcome corrected = RunScript(open + "polarize; points");
  std::string other;
  for (int i = 0; i < 200; ++i) other += std::to_string(40 + 0.1 * i) + " 100\n";
  const std::string otherPath = WriteTempFile("stale-baseline.xy", other);
  for (const std::string& change : {std::string("polarize"), "open auto " + otherPath}) {
    const ScriptOutcome run =
        RunScript(open + "background; " + change + "; subtract-background; state; points");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_NE(run.out.find(refusal), std::string::npos) << change;
    // The estimate stays drawn, the points stay as the change left them.
    EXPECT_NE(run.out.find("\"m_bBackShown\": 1"), std::string::npos);
    if (change == "polarize") {
      EXPECT_EQ(run.out.substr(run.out.find("}\n") + 2), corrected.out);
    }
  }
  // Undone back to the points it was estimated from, the baseline is right again.
  const ScriptOutcome undone =
      RunScript(open + "background; polarize; undo; subtract-background; state");
  EXPECT_EQ(undone.out.find("message: "), std::string::npos) << undone.out;
  EXPECT_NE(undone.out.find("\"m_bBackShown\": 0"), std::string::npos);
  // A script reports the refusal as a failure.
  std::ostringstream out, err;
  ScriptRunner runner(out, err);
  runner.Run(ParseScript(open + "background; polarize; subtract-background"));
  EXPECT_TRUE(runner.AnyFailure());
}

// A baseline estimated over part of the profile is subtracted only there.
TEST(ViewScript, SubtractionStaysWithinTheEstimatedSpan) {
  const ScriptOutcome before = RunScript("open rigaku " + kSample + "; points");
  const ScriptOutcome after = RunScript("open rigaku " + kSample +
                                        "; range 46 48.6 0 2800; background; "
                                        "subtract-background; points");
  std::istringstream a(before.out), b(after.out);
  double xa, ya, xb, yb;
  int inside = 0, changed = 0;
  while (a >> xa >> ya && b >> xb >> yb) {
    ASSERT_EQ(xa, xb);
    const bool in = 46 <= xa && xa <= 48.6;
    inside += in;
    changed += ya != yb;
    if (!in) {
      EXPECT_EQ(ya, yb) << xa;
    }
  }
  EXPECT_EQ(changed, inside);
  EXPECT_GT(inside, 100);
}

TEST(ViewScript, BadOptionsAreErrors) {
  for (const char* bad :
       {"view scale cubic", "view ticks maybe", "view size 10", "view size 0 5", "wheel 1 2",
        "pan 1", "step-messages yes", "export-plot a.png 0 5", "undo 1"}) {
    EXPECT_EQ(RunScript(bad).status, 2) << bad;
  }
}
