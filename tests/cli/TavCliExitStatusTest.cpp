#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "tests/support/TempFile.h"

namespace {

struct Finished {
  int status;
  std::string out;
};

// Runs the built tav-cli with the arguments (shell words) and returns its
// exit status and standard output.
Finished RunTavCli(const std::string& arguments) {
  const std::string command = "'" TAV_CLI_PATH "' " + arguments + " 2>/dev/null";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return {-1, {}};
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  const int wait = ::pclose(pipe);
  return {WIFEXITED(wait) ? WEXITSTATUS(wait) : -1, out};
}

TEST(TavCliExitStatus, StrictFailsARunWithAFailedCommand) {
  const std::string failing = "-e 'open rigaku /nonexistent/a.asc; fit'";
  const Finished plain = RunTavCli(failing);
  const Finished strict = RunTavCli("--strict " + failing);
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(strict.status, 1);
  EXPECT_EQ(plain.out,
            "message: ファイルを開けません: /nonexistent/a.asc (No such file or directory)\n"
            "disabled: fit\n");
  EXPECT_EQ(strict.out, plain.out);

  // A failure among the -e commands counts after a script file that runs cleanly.
  const std::string sample = TAV_SOURCE_DIR "/data/sample.asc";
  const std::string clean = WriteTempFile("tav_cli_clean.txt", "open rigaku " + sample + "\n");
  EXPECT_EQ(RunTavCli("--strict -e 'save-result /tmp/x' " + clean).status, 1);
  EXPECT_EQ(RunTavCli("--strict -e 'state' " + clean).status, 0);
  // A bad command ends the run with 2, with or without failures before it.
  EXPECT_EQ(RunTavCli("--strict -e 'open rigaku /nonexistent/a.asc; bogus'").status, 2);
  EXPECT_EQ(RunTavCli("--strict -e 'bogus'").status, 2);
}

}  // namespace
