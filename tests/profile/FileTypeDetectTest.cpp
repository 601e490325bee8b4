#include <gtest/gtest.h>

#include <string>

#include "profile/FileTypeDetect.h"
#include "tests/support/LoadedProfile.h"
#include "tests/support/TempFile.h"

namespace {

TEST(FileTypeDetect, RigakuOnlyWithACountKeyAtTheStartOfALine) {
  SKIP_WITHOUT_SHARED_DATA();
  EXPECT_EQ(DetectFileType(SharedData("rigakuXRD__2Theta.asc")), FileType::Rigaku);
  EXPECT_EQ(DetectFileType(SharedData("ornl_xrd_to_bragg_peaks__tests_xrd_file.asc")),
            FileType::Rigaku);
  EXPECT_EQ(DetectFileType(SharedData("datalab__JO_KL_16_ZF_3_rasx_Profile0.txt")), FileType::Xy);
  EXPECT_EQ(DetectFileType(SharedData("dash__tutorial-04_Tutorial_04.xye")), FileType::Xy);

  EXPECT_EQ(
      DetectFileType(WriteTempFile("count_crlf.asc", "*START\t=  4\r\n*COUNT\t=  2\r\n1, 2\r\n")),
      FileType::Rigaku);
  EXPECT_EQ(DetectFileType(WriteTempFile("indented.txt", " *COUNT = 2\n1 2\n")), FileType::Xy);
  EXPECT_EQ(DetectFileType(WriteTempFile("lower.txt", "*count = 2\n1 2\n")), FileType::Xy);
  EXPECT_EQ(DetectFileType(WriteTempFile("empty.txt", "")), FileType::Xy);
  // Unreadable: left to the open command to report.
  EXPECT_EQ(DetectFileType("/nonexistent/profile.asc"), FileType::Xy);
}

TEST(FileTypeDetect, KeysCountOnlyWhereALineStarts) {
  using namespace std::string_literals;
  const auto format = [](const std::string& text) { return DetectProfileFormat(text).format; };
  EXPECT_EQ(format("*COUNT = 2\n1 2\n"), ProfileFormat::Rigaku);
  EXPECT_EQ(format("x\r*COUNT = 2\r1 2\r"), ProfileFormat::Rigaku);
  EXPECT_EQ(format("x\r\r\n*COUNT = 2\n"), ProfileFormat::Rigaku);
  EXPECT_EQ(format("1 2 *COUNT\n3 4\n"), ProfileFormat::Xy);
  EXPECT_EQ(format("1 2\n *COUNT\n*COUN\n"), ProfileFormat::Xy);
  // A line ends at a NUL byte (beyond the first 4 KiB, where it makes no binary).
  EXPECT_EQ(format(std::string(5000, '1') + "\n2\0*COUNT = 2\n"s), ProfileFormat::Xy);
  EXPECT_EQ(format("*RAS_DATA_START\n*COUNT\n"), ProfileFormat::Ras);
  EXPECT_EQ(format("*COUNT\n\r*RAS_DATA_START\n"), ProfileFormat::Ras);
}

}  // namespace
