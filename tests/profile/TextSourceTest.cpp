#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>

#include "profile/FileTypeDetect.h"
#include "profile/ProfileReaders.h"
#include "profile/TextSource.h"
#include "tests/support/LoadedProfile.h"
#include "tests/support/TempFile.h"

namespace {

// Runs call and tells whether it came back within a few seconds. A call that
// is still waiting then is taken to be stuck opening fifo for reading: the
// FIFO is opened and closed for writing until the call returns, so that a
// fault makes the test fail instead of hanging it.
bool ReturnsWithoutWaiting(const std::string& fifo, const std::function<void()>& call) {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  bool waited = false;
  std::thread guard([&] {
    std::unique_lock lock(mutex);
    if (finished.wait_for(lock, std::chrono::seconds(5), [&] { return done; })) return;
    waited = true;
    while (!done) {
      lock.unlock();
      const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) ::close(fd);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      lock.lock();
    }
  });
  call();
  {
    const std::lock_guard lock(mutex);
    done = true;
  }
  finished.notify_all();
  guard.join();
  return !waited;
}

}  // namespace

TEST(TextSource, OnlyRegularFilesAreRead) {
  const std::string fifo = ::testing::TempDir() + "profile.fifo";
  ::unlink(fifo.c_str());
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string text = "untouched";
  std::string error;
  bool loaded = true;
  EXPECT_TRUE(ReturnsWithoutWaiting(fifo, [&] { loaded = LoadProfileText(fifo, text, error); }));
  EXPECT_FALSE(loaded);
  EXPECT_EQ(error, "not a regular file");
  EXPECT_EQ(text, "untouched");
  FileType type = FileType::None;
  EXPECT_TRUE(ReturnsWithoutWaiting(fifo, [&] { type = DetectFileType(fifo); }));
  EXPECT_EQ(type, FileType::Xy);
  ::unlink(fifo.c_str());

  EXPECT_FALSE(LoadProfileText("/dev/null", text, error));
  EXPECT_EQ(error, "not a regular file");
  EXPECT_FALSE(LoadProfileText(::testing::TempDir(), text, error));
  EXPECT_EQ(error, "Is a directory");
  EXPECT_FALSE(LoadProfileText("/nonexistent/profile.asc", text, error));
  EXPECT_EQ(error, "No such file or directory");

  // A symbolic link to a regular file is read through.
  const std::string target = WriteTempFile("linked.txt", "1 2\n");
  const std::string link = ::testing::TempDir() + "link.txt";
  ::unlink(link.c_str());
  ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
  EXPECT_TRUE(LoadProfileText(link, text, error));
  EXPECT_EQ(text, "1 2\n");
}

// A measured RINT file with its CR LF line ends turned into lone CRs, as a
// classic Mac OS export has them, reads exactly as the original.
TEST(TextSource, CarriageReturnOnlyFileReadsAsTheOriginal) {
  SKIP_WITHOUT_SHARED_DATA();
  const std::string original = SharedData("rigakuXRD__2Theta.asc");
  std::string bytes = ReadFileBytes(original);
  std::string crOnly;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    crOnly += bytes[i] == '\n' ? '\r' : bytes[i];
  }
  ASSERT_EQ(crOnly.find('\n'), std::string::npos);
  const std::string converted = WriteTempFile("mac.asc", crOnly);

  std::string text;
  std::string error;
  ASSERT_TRUE(LoadProfileText(original, text, error)) << error;
  const RigakuProfile expected = ReadRigakuProfile(text);
  ASSERT_TRUE(LoadProfileText(converted, text, error)) << error;
  const RigakuProfile actual = ReadRigakuProfile(text);
  ASSERT_EQ(expected.values.size(), 7601u);
  EXPECT_EQ(actual.values, expected.values);
  EXPECT_EQ(actual.start, expected.start);
  EXPECT_EQ(actual.step, expected.step);
  EXPECT_EQ(actual.stop, expected.stop);
  EXPECT_EQ(actual.count, expected.count);
  EXPECT_EQ(DetectFileType(converted), FileType::Rigaku);
}
