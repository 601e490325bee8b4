#include "doc/FileTypeDetect.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/support/LoadedProfile.h"
#include "tests/support/TempFile.h"

namespace {

TEST(FileTypeDetect, RigakuOnlyWithACountKeyAtTheStartOfALine) {
  EXPECT_EQ(DetectFileType(SharedData("rigakuXRD__2Theta.asc")), 1);
  EXPECT_EQ(DetectFileType(SharedData("ornl_xrd_to_bragg_peaks__tests_xrd_file.asc")), 1);
  EXPECT_EQ(DetectFileType(SharedData("datalab__JO_KL_16_ZF_3_rasx_Profile0.txt")), 0);
  EXPECT_EQ(DetectFileType(SharedData("dash__tutorial-04_Tutorial_04.xye")), 0);

  EXPECT_EQ(DetectFileType(WriteTempFile("count_crlf.asc", "*START\t=  4\r\n*COUNT\t=  2\r\n1, 2\r\n")), 1);
  EXPECT_EQ(DetectFileType(WriteTempFile("indented.txt", " *COUNT = 2\n1 2\n")), 0);
  EXPECT_EQ(DetectFileType(WriteTempFile("lower.txt", "*count = 2\n1 2\n")), 0);
  EXPECT_EQ(DetectFileType(WriteTempFile("empty.txt", "")), 0);
  // Unreadable: left to the open command to report.
  EXPECT_EQ(DetectFileType("/nonexistent/profile.asc"), 0);
}

}  // namespace
