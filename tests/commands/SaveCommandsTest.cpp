#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "commands/Commands.h"
#include "profile/ProfileWriters.h"
#include "tests/support/LoadedProfile.h"
#include "tests/support/TempFile.h"
#include "tests/support/TestHost.h"
#include "tests/support/UnprivilegedScope.h"
#include "view/TavView.h"

namespace {

class SaveCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tav-save-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir = pattern;
    ::chmod(dir.c_str(), 0755);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  std::string dir;
  TestHost host;
  CTavDoc doc;
  CTavView view{doc, host};
};

TEST_F(SaveCommandsTest, FailedSaveIsReportedAndKeepsTheOldFile) {
  const std::string path = dir + "/old.dat";
  std::ofstream(path) << "old contents\n";
  ASSERT_EQ(::chmod(dir.c_str(), 0555), 0);
  LoadSpectrum(view, {1, 2}, {3, 4});
  host.savePath = path;
  {
    UnprivilegedScope unprivileged;
    OnFileSaveAs(view);
  }
  ::chmod(dir.c_str(), 0755);
  EXPECT_EQ(host.messages,
            std::vector<std::string>{"ファイルを保存できません: " + path + " (Permission denied)"});
  EXPECT_EQ(ReadFileBytes(path), "old contents\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);  // no temporary left
}

TEST_F(SaveCommandsTest, ProfileWithANonFiniteValueIsNotSaved) {
  // "1e999" reads as infinity.
  std::ofstream(dir + "/huge.txt") << "10 1\n10.5 1e999\n11 3\n";
  host.fileType = FileType::Xy;
  host.openPath = dir + "/huge.txt";
  host.column = ColumnSettings{1, 2, 0, 9999};
  OnFileOpen(view);
  ASSERT_EQ(doc.m_nData, 3);
  const std::string path = dir + "/old.dat";
  std::ofstream(path) << "old contents\n";
  host.savePath = path;
  OnFileSaveAs(view);
  OnFileSave(view);
  const std::string message = "保存できません: 点 2 の強度が有限の数ではありません (inf)";
  EXPECT_EQ(host.messages, (std::vector<std::string>{message, message}));
  EXPECT_EQ(host.saveDialogs, 0);
  EXPECT_EQ(ReadFileBytes(path), "old contents\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);
}

TEST_F(SaveCommandsTest, XyListReadsBackToSixDecimals) {
  SKIP_WITHOUT_SHARED_DATA();
  host.fileType = FileType::Xy;
  host.openPath = SharedData("ornl_xrd_to_bragg_peaks__data_XRD.txt");
  host.column = ColumnSettings{1, 2, 1, 9999};
  OnFileOpen(view);
  ASSERT_EQ(doc.m_nData, 2677);
  const std::vector<double> x(doc.m_x.begin(), doc.m_x.begin() + 2678);
  const std::vector<double> y(doc.m_y.begin(), doc.m_y.begin() + 2678);
  host.savePath = dir + "/xrd.dat";
  OnFileSaveAs(view);
  EXPECT_EQ(ReadFileBytes(dir + "/xrd.dat"), FormatCountFile(doc));
  host.savePath = dir + "/xrd.txt";
  OnFileSave(view);

  host.fileType = FileType::Xy;
  host.openPath = dir + "/xrd.txt";
  host.column = ColumnSettings{1, 2, 1, 9999};
  OnFileOpen(view);
  ASSERT_TRUE(host.messages.empty());
  ASSERT_EQ(doc.m_nData, 2677);
  for (int i = 1; i <= 2677; ++i) {
    ASSERT_NEAR(doc.m_x[i], x[i], 5e-7) << i;
    ASSERT_NEAR(doc.m_y[i], y[i], 5e-7) << i;
  }
}

TEST_F(SaveCommandsTest, ANameWithAWildcardIsAPatternAndIsNeverWritten) {
  LoadSpectrum(view, {1, 2}, {3, 4});
  std::vector<std::string> expected;
  for (const char* name : {"*.dat", "a?.txt", "[ab].dat", "*"}) {
    host.savePath = dir + "/" + name;
    OnFileSaveAs(view);
    host.savePath = dir + "/" + name;
    OnFileSave(view);
    const std::string message = "ファイルを保存できません: " + dir + "/" + name +
                                " (ファイル名にワイルドカード文字 (*, ?, [) があります)";
    expected.insert(expected.end(), {message, message});
  }
  EXPECT_EQ(host.messages, expected);
  EXPECT_TRUE(std::filesystem::is_empty(dir));

  // Only the name is a pattern: a folder may have any name.
  const std::string folder = dir + "/run[1]*";
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  host.savePath = folder + "/profile.dat";
  OnFileSaveAs(view);
  EXPECT_EQ(host.messages.size(), expected.size());
  EXPECT_EQ(ReadFileBytes(folder + "/profile.dat"), FormatCountFile(doc));
}

}  // namespace
