#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/ScriptParser.h"
#include "cli/ScriptRunner.h"
#include "tests/support/LoadedProfile.h"

namespace {

struct ScriptOutcome {
  int status;
  std::string out;
  std::string err;
};

ScriptOutcome RunScript(const std::string& script) {
  std::ostringstream out, err;
  ScriptRunner runner(out, err);
  const int status = runner.Run(ParseScript(script));
  return {status, out.str(), err.str()};
}

}  // namespace

TEST(ScriptParser, SeparatorsCommentsAndQuotes) {
  const auto commands = ParseScript(
      "open rigaku a.asc; state # comment ; not a command\n\n"
      "  points\t\nsave-txt \"my file;1.txt\"\n");
  ASSERT_EQ(commands.size(), 4u);
  EXPECT_EQ(commands[0].words, (std::vector<std::string>{"open", "rigaku", "a.asc"}));
  EXPECT_EQ(commands[1].words, std::vector<std::string>{"state"});
  EXPECT_EQ(commands[1].line, 1);
  EXPECT_EQ(commands[2].line, 3);
  EXPECT_EQ(commands[3].words, (std::vector<std::string>{"save-txt", "my file;1.txt"}));
  EXPECT_EQ(commands[3].line, 4);
}

TEST(ScriptRunner, OpensRealFileAndReportsState) {
  SKIP_WITHOUT_SHARED_DATA();
  const ScriptOutcome run =
      RunScript("open rigaku " + SharedData("rigakuXRD__2Theta.asc") + "; state; points");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find(
                "{\"doc\": {\"m_nData\": 7601, \"m_start\": 4, \"m_step\": 0.01, \"m_stop\": 80,"),
            std::string::npos);
  EXPECT_NE(run.out.find("\"m_lastLine\": 9999"), std::string::npos);
  EXPECT_NE(run.out.find("\n4 "), std::string::npos);   // first point
  EXPECT_NE(run.out.find("\n80 "), std::string::npos);  // last point
}

TEST(ScriptRunner, MessagesDisabledCommandsAndErrors) {
  ScriptOutcome run = RunScript("open rigaku /nonexistent.asc\nfit\nsave-result /tmp/x");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "message: ファイルを開けません: /nonexistent.asc (No such file or directory)\n"
            "disabled: fit\ndisabled: save-result\n");

  run = RunScript("state\nbogus 1 2\nstate");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "error: line 2: unknown command: bogus\n");
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);

  for (const char* bad :
       {"open xy a.xy 101 5", "open xy a.xy 0 0", "open xy a.xy 0 10000", "open rigaku",
        "open weird a", "range 1 2 3", "range 1 2 3 x", "conditions gauss 0", "conditions gauss 2",
        "conditions cubic 0.1", "key Q", "drag 1 2 3", "render", "state 1"}) {
    run = RunScript(bad);
    EXPECT_EQ(run.status, 2) << bad;
    EXPECT_EQ(run.err.rfind("error: line 1: ", 0), 0u) << bad;
  }
}

TEST(ScriptRunner, OpenVariantsAnswerTheDialogs) {
  SKIP_WITHOUT_SHARED_DATA();
  const std::string xy = SharedData("datalab__example_ocx.xy");
  ScriptOutcome run = RunScript("open xy " + xy + " 1 100; state; open xy " + xy + "; state");
  EXPECT_EQ(run.status, 0);
  const auto second = run.out.find('\n') + 1;
  EXPECT_NE(run.out.find("\"m_nData\": 100,"), std::string::npos);
  EXPECT_NE(run.out.find("\"m_skipLines\": 1, \"m_lastLine\": 100"), std::string::npos);
  // The second open resets the last line and keeps the skip setting.
  EXPECT_NE(run.out.find("\"m_nData\": 1876,", second), std::string::npos);
  EXPECT_NE(run.out.find("\"m_skipLines\": 1, \"m_lastLine\": 9999", second), std::string::npos);

  run = RunScript("open none " + xy + "; state; open-cancel; state");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("\"m_nData\": 0,"), std::string::npos);
}
