#include "profile/AtomicFile.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every save below goes into a fresh folder.
class WriteFileReplacingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tav-atomic-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir = pattern;
    ::chmod(dir.c_str(), 0777);
  }
  void TearDown() override {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
      if (!entry.is_symlink() && entry.is_directory()) ::chmod(entry.path().c_str(), 0777);
    }
    std::filesystem::remove_all(dir);
  }

  std::string Make(const std::string& name, const std::string& contents, mode_t mode) {
    const std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << contents;
    EXPECT_EQ(::chmod(path.c_str(), mode), 0);
    return path;
  }

  // The names in the folder (no temporary file may be left behind).
  std::vector<std::string> Names(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string dir;
  std::string error;
};

// Past the file-size limit the save fails with a reason instead of the
// process being killed, and the old file stays. The limit is set in a child
// process so that this one is not limited.
TEST_F(WriteFileReplacingTest, FileSizeLimitFailsTheSave) {
  const std::string path = Make("profile.dat", "old contents\n", 0644);
  int channel[2];
  ASSERT_EQ(::pipe(channel), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(channel[0]);
    const struct rlimit limit {1000, 1000};
    std::string reason = "no limit";
    if (::setrlimit(RLIMIT_FSIZE, &limit) == 0) {
      reason = WriteFileReplacing(path, std::string(100000, 'x'), reason) ? "written" : reason;
    }
    const ssize_t sent = ::write(channel[1], reason.data(), reason.size());
    ::_exit(sent == static_cast<ssize_t>(reason.size()) ? 0 : 1);
  }
  ::close(channel[1]);
  std::string reason;
  char buffer[256];
  for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) reason.append(buffer, n);
  ::close(channel[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(reason, "File too large");
  EXPECT_EQ(ReadAll(path), "old contents\n");
  EXPECT_EQ(Names(dir), std::vector<std::string>{"profile.dat"});
}

}  // namespace
