#include <gtest/gtest.h>
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

#include "profile/AtomicFile.h"
#include "tests/support/TempFile.h"
#include "tests/support/UnprivilegedScope.h"

namespace {

struct stat Stat(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info;
}

mode_t Mode(const std::string& path) { return Stat(path).st_mode & 07777; }

bool IsLink(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

// Every save below goes into a fresh folder that anyone may write in, so that
// only the permissions under test stop the unprivileged user.
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

TEST_F(WriteFileReplacingTest, ReplacesTheFileAndKeepsItsPermissions) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  const std::string fresh = dir + "/new.dat";
  ASSERT_TRUE(WriteFileReplacing(fresh, "new\n", error)) << error;
  EXPECT_EQ(ReadFileBytes(fresh), "new\n");
  EXPECT_EQ(Mode(fresh), 0666 & ~mask);

  const std::string old = Make("old.dat", "old contents\n", 0640);
  const ino_t inode = Stat(old).st_ino;
  ASSERT_TRUE(WriteFileReplacing(old, "replaced\n", error)) << error;
  EXPECT_EQ(ReadFileBytes(old), "replaced\n");
  EXPECT_EQ(Mode(old), 0640u);
  EXPECT_NE(Stat(old).st_ino, inode);  // a new file renamed over the old one
  EXPECT_EQ(Names(dir), (std::vector<std::string>{"new.dat", "old.dat"}));

  // Nothing can be put where a folder is.
  ASSERT_EQ(::mkdir((dir + "/folder").c_str(), 0755), 0);
  EXPECT_FALSE(WriteFileReplacing(dir + "/folder", "x", error));
  EXPECT_EQ(error, "Is a directory");
  EXPECT_EQ(Names(dir), (std::vector<std::string>{"folder", "new.dat", "old.dat"}));
}

TEST_F(WriteFileReplacingTest, AFileTheUserMayNotWriteIsRefused) {
  const std::string path = Make("readonly.dat", "old contents\n", 0444);
  if (::geteuid() == 0) {
    // Root may write any file, as an editor's forced save does; the file
    // stays read-only.
    ASSERT_TRUE(WriteFileReplacing(path, "by root\n", error)) << error;
    EXPECT_EQ(ReadFileBytes(path), "by root\n");
    EXPECT_EQ(Mode(path), 0444u);
  }
  const std::string before = ReadFileBytes(path);
  {
    // The folder lets anyone replace the file; its own mode must stop it.
    UnprivilegedScope unprivileged;
    if (!unprivileged.Applies()) GTEST_SKIP() << "permission checks cannot apply to this process";
    EXPECT_FALSE(WriteFileReplacing(path, "new\n", error));
  }
  EXPECT_EQ(error, "Permission denied");
  EXPECT_EQ(ReadFileBytes(path), before);
  EXPECT_EQ(Mode(path), 0444u);
  EXPECT_EQ(Names(dir), std::vector<std::string>{"readonly.dat"});
}

TEST_F(WriteFileReplacingTest, SymbolicLinksAreFollowedToTheirTarget) {
  ASSERT_EQ(::mkdir((dir + "/real").c_str(), 0777), 0);
  const std::string target = Make("real/profile.dat", "old\n", 0604);
  const std::string link = dir + "/link.dat";
  const std::string chain = dir + "/chain.dat";
  ASSERT_EQ(::symlink("real/profile.dat", link.c_str()), 0);  // relative to its folder
  ASSERT_EQ(::symlink(link.c_str(), chain.c_str()), 0);
  ASSERT_TRUE(WriteFileReplacing(chain, "through two links\n", error)) << error;
  EXPECT_TRUE(IsLink(chain));
  EXPECT_TRUE(IsLink(link));
  EXPECT_EQ(ReadFileBytes(target), "through two links\n");
  EXPECT_EQ(Mode(target), 0604u);
  EXPECT_EQ(Names(dir + "/real"), std::vector<std::string>{"profile.dat"});

  // A link whose target does not exist yet makes the target.
  const std::string dangling = dir + "/dangling.dat";
  ASSERT_EQ(::symlink("real/created.dat", dangling.c_str()), 0);
  ASSERT_TRUE(WriteFileReplacing(dangling, "created\n", error)) << error;
  EXPECT_TRUE(IsLink(dangling));
  EXPECT_EQ(ReadFileBytes(dir + "/real/created.dat"), "created\n");

  // A loop of links is reported.
  ASSERT_EQ(::symlink("loop-b", (dir + "/loop-a").c_str()), 0);
  ASSERT_EQ(::symlink("loop-a", (dir + "/loop-b").c_str()), 0);
  EXPECT_FALSE(WriteFileReplacing(dir + "/loop-a", "x", error));
  EXPECT_EQ(error, "Too many levels of symbolic links");
  EXPECT_EQ(Names(dir), (std::vector<std::string>{"chain.dat", "dangling.dat", "link.dat", "loop-a",
                                                  "loop-b", "real"}));
}

TEST_F(WriteFileReplacingTest, HardLinksKeepSharingTheFile) {
  const std::string first = Make("first.dat", "old contents, longer than the new\n", 0640);
  const std::string second = dir + "/second.dat";
  ASSERT_EQ(::link(first.c_str(), second.c_str()), 0);
  ASSERT_TRUE(WriteFileReplacing(first, "new\n", error)) << error;
  EXPECT_EQ(ReadFileBytes(second), "new\n");
  EXPECT_EQ(Stat(first).st_ino, Stat(second).st_ino);
  EXPECT_EQ(Stat(first).st_nlink, 2u);
  EXPECT_EQ(Mode(first), 0640u);
  EXPECT_EQ(Names(dir), (std::vector<std::string>{"first.dat", "second.dat"}));
}

TEST_F(WriteFileReplacingTest, AWritableFileInAReadOnlyFolderIsWrittenInPlace) {
  ASSERT_EQ(::mkdir((dir + "/locked").c_str(), 0777), 0);
  const std::string path = Make("locked/profile.dat", "old contents, longer than the new\n", 0666);
  ASSERT_EQ(::chmod((dir + "/locked").c_str(), 0555), 0);
  const ino_t inode = Stat(path).st_ino;
  {
    UnprivilegedScope unprivileged;
    if (!unprivileged.Applies()) GTEST_SKIP() << "permission checks cannot apply to this process";
    EXPECT_TRUE(WriteFileReplacing(path, "new\n", error)) << error;
    // A new file cannot be made there.
    EXPECT_FALSE(WriteFileReplacing(dir + "/locked/other.dat", "x", error));
    EXPECT_EQ(error, "Permission denied");
  }
  EXPECT_EQ(ReadFileBytes(path), "new\n");
  EXPECT_EQ(Stat(path).st_ino, inode);
  EXPECT_EQ(Mode(path), 0666u);
  EXPECT_EQ(Names(dir + "/locked"), std::vector<std::string>{"profile.dat"});
}

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
    const struct rlimit limit { 1000, 1000 };
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
  ASSERT_TRUE(WIFEXITED(status)) << "killed by signal "
                                 << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(reason, "File too large");
  EXPECT_EQ(ReadFileBytes(path), "old contents\n");
  EXPECT_EQ(Names(dir), std::vector<std::string>{"profile.dat"});
}

}  // namespace
