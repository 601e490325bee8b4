#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

// A temporary folder for this test process alone, removed when it ends.
// ::testing::TempDir() reads TEST_TMPDIR, so tests that run side by side
// never write the same file; the program's own state folder goes there too.
class PrivateTempDir {
 public:
  PrivateTempDir() {
    const char* base = getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/tav-tests-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) return;
    path_ = pattern;
    setenv("TEST_TMPDIR", path_.c_str(), 1);
    setenv("XDG_STATE_HOME", (path_ + "/state").c_str(), 1);
  }
  ~PrivateTempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  PrivateTempDir(const PrivateTempDir&) = delete;
  PrivateTempDir& operator=(const PrivateTempDir&) = delete;

 private:
  std::string path_;
};
