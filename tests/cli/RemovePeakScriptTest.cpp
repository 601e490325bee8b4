#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli/ScriptParser.h"
#include "cli/ScriptRunner.h"
#include "tests/support/LoadedProfile.h"
#include "tests/support/ScriptRun.h"

namespace {

struct Session {
  explicit Session(const std::string& script) : runner(out, err) {
    LoadSpectrum(runner.view(), {10, 12, 15, 20}, {0, 250, 1000, 400});
    status = runner.Run(ParseScript(script));
  }
  std::ostringstream out, err;
  ScriptRunner runner;
  int status = -1;
};

TEST(RemovePeakScript, RemovesTheChosenPeakAndUndoBringsItBack) {
  Session s("peak-mode; peak 11 100; peak 13 300; peak 14 400; remove-peak 2");
  ASSERT_EQ(s.status, 0) << s.err.str();
  const PeakTable& t = s.runner.view().Peaks();
  EXPECT_EQ(t.m_nPeak, 2);
  EXPECT_EQ(t.m_position[1], 11);
  EXPECT_EQ(t.m_position[2], 14);
  EXPECT_EQ(t.m_curPeak, 2);
  ASSERT_EQ(s.runner.Run(ParseScript("undo")), 0);
  EXPECT_EQ(t.m_nPeak, 3);
  EXPECT_EQ(t.m_position[2], 13);
}

TEST(RemovePeakScript, BadOrMissingPeaksAreScriptErrors) {
  struct Case {
    const char* script;
    const char* error;
  } cases[] = {
      {"peak-mode; peak 11 100\nremove-peak 2", "error: line 2: K must be 1..1: 2\n"},
      {"peak-mode; peak 11 100\nremove-peak 0", "error: line 2: K must be 1..1: 0\n"},
      {"peak-mode; peak 11 100\nremove-peak x", "error: line 2: not an integer: x\n"},
      {"remove-peak 1", "error: line 1: no peak to remove: 1\n"},
      {"remove-peak", "error: line 1: usage: remove-peak K\n"},
      {"background snip 0", "error: line 1: WIDTH must be positive: 0\n"},
      {"background snap", "error: line 1: usage: background | background snip [WIDTH]\n"},
      {"background snip 1 2", "error: line 1: usage: background | background snip [WIDTH]\n"},
  };
  for (const Case& c : cases) {
    Session s(c.script);
    EXPECT_EQ(s.status, 2) << c.script;
    EXPECT_EQ(s.err.str(), c.error) << c.script;
  }
}

TEST(RemovePeakScript, SnipEstimateIsSubtractedAndUndone) {
  const ScriptOutcome none = RunScript("background snip\n");
  EXPECT_EQ(none.status, 0);
  EXPECT_NE(none.out.find("message: "), std::string::npos);  // no points: said so

  Session s("background snip 2; subtract-background; undo; state");
  ASSERT_EQ(s.status, 0) << s.err.str();
  EXPECT_NE(s.out.str().find("\"m_bBackShown\": 1, \"m_nBin\": 0"), std::string::npos);
  EXPECT_EQ(s.runner.view().Background().m_kind, BackgroundKind::kSnip);
}

}  // namespace
