// tav-cli as a program: its routes to a script (-e, a file, standard input),
// their order, its usage, help and version, and its exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "lang/VersionText.h"
#include "tests/support/CliRun.h"
#include "tests/support/TempFile.h"

namespace {

constexpr const char* kUsage = "usage: tav-cli [--strict] [-e 'CMD; CMD; ...'] [SCRIPT_FILE]\n";

TEST(CliMain, InlineCommandsRunInOrderAndStandardInputIsThenNotRead) {
  const CliRun run = RunCli("-e 'range 1 2 3 4' -e 'open-cancel; rclick; points'", "bogus\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");

  const CliRun state = RunCli("-e state");
  EXPECT_EQ(state.status, 0);
  EXPECT_EQ(state.out.rfind("{\"doc\": {\"m_nData\": 0,", 0), 0u) << state.out;
  EXPECT_EQ(std::count(state.out.begin(), state.out.end(), '\n'), 1);
}

TEST(CliMain, ScriptFromAFileAfterTheInlineCommands) {
  const std::string script = WriteTempFile("cli_script.tav", "range 5 6 7 8\nstate\n");
  const CliRun run = RunCli("-e 'range 1 2 3 4; state' '" + script + "'");
  EXPECT_EQ(run.status, 0);
  const auto second = run.out.find('\n') + 1;
  EXPECT_NE(run.out.find("\"m_xMin\": 1, \"m_xMax\": 2"), std::string::npos);
  EXPECT_NE(run.out.find("\"m_xMin\": 5, \"m_xMax\": 6", second), std::string::npos);

  const CliRun missing = RunCli("/nonexistent/script.tav");
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "error: cannot read /nonexistent/script.tav\n");
}

TEST(CliMain, WithoutInlineCommandsOrAFileTheScriptIsStandardInput) {
  const CliRun run = RunCli("", "range 1 2 3 4\n# a comment\nstate\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("\"m_xMin\": 1, \"m_xMax\": 2, \"m_yMin\": 3, \"m_yMax\": 4"),
            std::string::npos);
}

TEST(CliMain, BadCommandsStopTheRunWithStatusTwo) {
  // The output before the bad command stays; nothing after it runs.
  const CliRun run = RunCli("-e 'fit; nonsense; state'");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "disabled: fit\n");
  EXPECT_EQ(run.err, "error: line 1: unknown command: nonsense\n");

  // A bad inline command ends the run before the script file is read.
  const std::string script = WriteTempFile("cli_after_error.tav", "state\n");
  const CliRun stopped = RunCli("-e 'range 1 2' '" + script + "'");
  EXPECT_EQ(stopped.status, 2);
  EXPECT_EQ(stopped.out, "");
  EXPECT_EQ(stopped.err, "error: line 1: usage: range XMIN XMAX YMIN YMAX\n");
}

TEST(CliMain, HelpAndVersionOnStandardOutputUsageForBadArguments) {
  // Help and version: stdout, status 0, Japanese unless --lang en, whatever
  // the locale; nothing is run.
  const CliRun help = RunCli("--help -e state");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(help.out.rfind("使い方: tav-cli ", 0), 0u) << help.out;
  EXPECT_EQ(RunCli("-h").out, help.out);
  const CliRun english = RunCli("--help --lang en");
  EXPECT_EQ(english.status, 0);
  EXPECT_EQ(english.out.rfind("Usage: tav-cli ", 0), 0u) << english.out;
  EXPECT_EQ(RunCli("--help", "", "LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8").out, help.out);
  const CliRun version = RunCli("--lang=en --version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("tav-cli " + std::string(ProgramVersion()) + "\n", 0), 0u)
      << version.out;
  EXPECT_EQ(RunCli("--lang en -e state").out.rfind("{\"doc\": ", 0), 0u);

  for (const char* bad :
       {"-e", "-x", "a.tav b.tav", "--bogus", "--lang", "--lang fr --help", "--lang= --version"}) {
    SCOPED_TRACE(bad);
    const CliRun run = RunCli(bad);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, kUsage);
    EXPECT_EQ(run.out, "");
  }
}

TEST(CliMain, MessageLinesInEnglishOnlyWithLangEn) {
  // Scripts read the Japanese lines: an English locale changes nothing, and
  // --lang en changes only the message lines.
  const std::string script = "-e 'open rigaku /nonexistent/a.asc; state'";
  const CliRun japanese = RunCli(script, "", "LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8");
  const CliRun english = RunCli("--lang en " + script);
  EXPECT_EQ(japanese.out.rfind("message: ファイルを開けません: /nonexistent/a.asc (", 0), 0u)
      << japanese.out;
  EXPECT_EQ(english.out.rfind("message: Cannot open /nonexistent/a.asc (", 0), 0u) << english.out;
  const auto afterFirstLine = [](const std::string& text) { return text.substr(text.find('\n')); };
  EXPECT_EQ(afterFirstLine(english.out), afterFirstLine(japanese.out));
}

TEST(CliMain, StrictFailsARunWithAFailedCommand) {
  const std::string failing = "-e 'open rigaku /nonexistent/a.asc; fit'";
  const CliRun plain = RunCli(failing);
  const CliRun strict = RunCli("--strict " + failing);
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(strict.status, 1);
  EXPECT_EQ(plain.out,
            "message: ファイルを開けません: /nonexistent/a.asc (No such file or directory)\n"
            "disabled: fit\n");
  EXPECT_EQ(strict.out, plain.out);

  // A failure among the -e commands counts after a script file that runs cleanly.
  const std::string sample = TAV_SOURCE_DIR "/data/sample.asc";
  const std::string clean = WriteTempFile("tav_cli_clean.txt", "open rigaku " + sample + "\n");
  EXPECT_EQ(RunCli("--strict -e 'save-result /tmp/x' " + clean).status, 1);
  EXPECT_EQ(RunCli("--strict -e 'state' " + clean).status, 0);
  // A bad command ends the run with 2, with or without failures before it.
  EXPECT_EQ(RunCli("--strict -e 'open rigaku /nonexistent/a.asc; bogus'").status, 2);
  EXPECT_EQ(RunCli("--strict -e 'bogus'").status, 2);
}

}  // namespace

// The painting code is a module beside tav-cli: a copy of the program
// without it still runs scripts, and refuses a picture with the reason
// instead of failing to start.
TEST(CliMain, WithoutItsPictureModuleTavCliRunsAndRefusesPictures) {
  const std::string folder = ::testing::TempDir() + "tav-cli-alone";
  const std::string copy = folder + "/tav-cli";
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(TAV_CLI_PATH, copy, std::filesystem::copy_options::overwrite_existing);
  const std::string picture = folder + "/p.png";
  const int raw = std::system(
      ("'" + copy + "' -e 'state; render " + picture + "' >'" + folder + "/out' 2>&1").c_str());
  const std::string out = ReadFileBytes(folder + "/out");
  EXPECT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(out.rfind("{\"doc\": ", 0), 0u) << out;
  EXPECT_NE(out.find("cannot write " + picture + ": the module tav-pictures.so is not installed"),
            std::string::npos)
      << out;
  EXPECT_FALSE(std::ifstream(picture).good());
}
