#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/ScriptParser.h"
#include "cli/ScriptRunner.h"
#include "tests/support/LoadedProfile.h"
#include "tests/support/ScriptRun.h"
#include "tests/support/TempFile.h"

namespace {}  // namespace

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

namespace {

struct FailureCount {
  bool anyFailure;
  std::vector<std::string> failures;
  std::string out;
};

FailureCount RunCountingFailures(const std::string& script) {
  std::ostringstream out, err;
  ScriptRunner runner(out, err);
  EXPECT_EQ(runner.Run(ParseScript(script)), 0) << err.str();
  return {runner.AnyFailure(), runner.host().failures, out.str()};
}

}  // namespace

TEST(ScriptRunner, MessagesThatOnlyInformAreNotFailures) {
  const std::string sample = std::string(TAV_SOURCE_DIR) + "/data/sample.asc";
  const std::string result = ::testing::TempDir() + "tav_runner_result.dat";
  const FailureCount run = RunCountingFailures(
      "open rigaku " + sample +
      "; range 46.5 48 0 3000; peak-mode; peak 47.3 2700; fit; fit; save-result " + result +
      "; background; polarize; polarize; open-cancel; open none " + sample);
  EXPECT_FALSE(run.anyFailure);
  EXPECT_TRUE(run.failures.empty());
  EXPECT_NE(run.out.find("message: 収束していません\n"), std::string::npos);
  EXPECT_NE(run.out.find("message: 収束しました\n"), std::string::npos);
  std::remove(result.c_str());
}

TEST(ScriptRunner, EachFailedCommandIsCounted) {
  const std::string seven =
      WriteTempFile("tav_runner_seven.xy", "1 5\n2 6\n3 5\n4 6\n5 5\n6 6\n7 5\n");
  const std::string openSeven = "open xy " + seven + "; ";
  struct Case {
    std::string script;
    std::string failure;  // the start of the one failure message; empty: none
  } cases[] = {
      {"open rigaku /nonexistent/a.asc", "ファイルを開けません: /nonexistent/a.asc"},
      {"open rigaku " + WriteTempFile("tav_runner_empty.asc", ""),
       "データを読み込めませんでした: "},
      {"open rigaku " + WriteTempFile("tav_runner_short.asc", "*COUNT          =  10\n1, 2\n"),
       "データが途中で終わっています: "},
      {"open xy " + WriteTempFile("tav_runner_inf.xy", "1 1\n2 1e999\n") + "; save-txt /tmp/x",
       "保存できません: 点 2 の強度が有限の数ではありません (inf)"},
      {openSeven + "save-dat /nonexistent/a.dat", "ファイルを保存できません: /nonexistent/a.dat"},
      {openSeven + "peak-mode; peak 4 6; range 50 60 0 10; fit",
       "フィットする範囲にデータがありません"},
      {openSeven + "conditions gauss 0.001; peak-mode; peak 300 6; fit",
       "フィッティングできませんでした: "},
      {openSeven + "background", "これはだめです"},
      {openSeven + "fit", ""},
      {openSeven + "save-result /tmp/x", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    const FailureCount run = RunCountingFailures(c.script);
    EXPECT_TRUE(run.anyFailure);
    if (c.failure.empty()) {
      EXPECT_TRUE(run.failures.empty());
      EXPECT_NE(run.out.find("disabled: "), std::string::npos);
      continue;
    }
    ASSERT_EQ(run.failures.size(), 1u);
    EXPECT_EQ(run.failures[0].rfind(c.failure, 0), 0u) << run.failures[0];
    EXPECT_NE(run.out.find("message: " + run.failures[0] + "\n"), std::string::npos);
  }
}

TEST(ScriptRunner, RendersAtAnySizeTheTopLeftOfTheWholePicture) {
  SKIP_WITHOUT_SHARED_DATA();
  // Sizes whose edges cut through labels, the frame, markers and curves.
  const std::pair<int, int> sizes[] = {{20, 60}, {1, 1}, {639, 400}, {700, 361}, {200, 150}};
  const std::string folder = ::testing::TempDir();
  const auto pathOf = [&](int w, int h) {
    return folder + "render-" + std::to_string(w) + "x" + std::to_string(h) + ".png";
  };
  std::string script = "open rigaku " + SharedData("rigakuXRD__2Theta.asc") +
                       "; peak-mode; peak 28.4 3000; peak 47.3 2000; fit; render " +
                       pathOf(700, 400);
  for (const auto& [w, h] : sizes) {
    script += "; render " + pathOf(w, h) + " " + std::to_string(w) + " " + std::to_string(h);
  }
  const ScriptOutcome run = RunScript(script);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");

  const QImage whole(QString::fromStdString(pathOf(700, 400)));
  ASSERT_EQ(whole.size(), QSize(700, 400));
  for (const auto& [w, h] : sizes) {
    const QImage part(QString::fromStdString(pathOf(w, h)));
    ASSERT_EQ(part.size(), QSize(w, h)) << w << "x" << h;
    EXPECT_TRUE(part == whole.copy(0, 0, w, h)) << w << "x" << h;
  }
}

TEST(ScriptRunner, InfoBeforeAndAfterAnOpen) {
  const std::string ras =
      WriteTempFile("tav_info.ras",
                    "*RAS_DATA_START\n*FILE_SAMPLE \"a \\ b\"\n*HW_XG_WAVE_LENGTH_ALPHA1 \"1.5\"\n"
                    "*RAS_INT_START\n10 4 2\n11 5 1\n*RAS_INT_END\n*RAS_DATA_END\n");
  const std::string xy = WriteTempFile("tav_info.txt", "1 2\n3 4\n5 6\n");
  const ScriptOutcome run =
      RunScript("info; open auto " + ras + "; info; points; open xy " + xy + "; info");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "{\"format\": null, \"path\": null, \"points\": 0, \"wavelength1\": null, "
            "\"wavelength2\": null, \"ratio\": null, \"sample\": null, \"scans\": 1, \"scan\": 1, "
            "\"x_quantity\": \"2theta\", \"x_unit\": \"deg\"}\n"
            "{\"format\": \"ras\", \"path\": \"" +
                ras +
                "\", \"points\": 2, \"wavelength1\": 1.5, "
                "\"wavelength2\": null, \"ratio\": null, \"sample\": \"a \\\\ b\", \"scans\": 1, "
                "\"scan\": 1, \"x_quantity\": \"2theta\", \"x_unit\": \"deg\"}\n"
                "10 8\n11 5\n"
                "{\"format\": \"xy\", \"path\": \"" +
                xy +
                "\", \"points\": 3, \"wavelength1\": null, "
                "\"wavelength2\": null, \"ratio\": null, \"sample\": null, \"scans\": 1, \"scan\": "
                "1, \"x_quantity\": \"2theta\", \"x_unit\": \"deg\"}\n");
}
