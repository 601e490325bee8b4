#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "tests/support/TempFile.h"

// What a tav-cli process gave: its exit status and its two output streams.
struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string CurrentTestName() {
  return ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

// Runs tav-cli as a process of its own with arguments (already quoted for
// the shell) and input on its standard input, after the environment
// assignments given.
inline CliRun RunCli(const std::string& arguments, const std::string& input = "",
                     const std::string& environment = "") {
  const std::string name = std::string("cli_") + CurrentTestName();
  const std::string in = WriteTempFile(name + "_stdin", input);
  const std::string out = ::testing::TempDir() + name + "_stdout";
  const std::string err = ::testing::TempDir() + name + "_stderr";
  const std::string command = environment + " '" + TAV_CLI_PATH + "' " + arguments + " <'" + in +
                              "' >'" + out + "' 2>'" + err + "'";
  const int raw = std::system(command.c_str());
  CliRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadFileBytes(out);
  run.err = ReadFileBytes(err);
  return run;
}
