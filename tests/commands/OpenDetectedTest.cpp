#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "commands/Commands.h"
#include "tests/support/LoadedProfile.h"
#include "tests/support/TempFile.h"
#include "tests/support/TestHost.h"
#include "view/TavView.h"

namespace {

class OpenDetected : public ::testing::Test {
 protected:
  void Open(const std::string& path) {
    host.fileType = FileType::Auto;
    host.openPath = path;
    OnFileOpen(view);
  }

  CTavDoc doc;
  TestHost host;
  CTavView view{doc, host};
};

// A measured file as read by hand: points, first and last point, λ1, λ2, the
// ratio and the sample name.
struct RealFile {
  const char* name;
  const char* format;
  int points;
  double firstX, firstY, lastX, lastY;
  std::optional<double> lambda1, lambda2, ratio;
  std::optional<std::string> sample;
};

const std::optional<double> kNone;

// clang-format off
const RealFile kRealFiles[] = {
    {"rigakuXRD__2Theta.asc", "rigaku",
     7601, 4, 767, 80, 570, 1.54059, 1.54441, kNone, {}},
    {"ornl_xrd_to_bragg_peaks__data_xrd.asc", "rigaku",
     10001, 20, 165, 120, 74, 1.54059, 1.54441, kNone, {}},
    {"AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc", "rigaku",
     3400, 2.01, 80, 69.99, 12, 1.54059, 1.54441, kNone, {}},
    {"AE4895-Measurement_strategies__XRD_NaBr_Theta_2-Theta.asc", "rigaku",
     3400, 2.01, 74, 69.99, 123, 1.54059, 1.54441, kNone, {}},
    {"ornl_xrd_to_bragg_peaks__data_XRD.txt", "xy",
     2677, 7.0144, 24868.9923, 52.5064, 21826.0735, kNone, kNone, kNone, {}},
    {"datalab__example_ocx.xy", "xy",
     1876, 5, 2.732, 80, 0.272, kNone, kNone, kNone, {}},
    {"datalab__JO_KL_16_ZF_3_rasx_Profile0.txt", "xy",
     2851, 3, 2589, 60, 119, kNone, kNone, kNone, {}},
    {"dara__tutorial_data_CaNiPO3_4_800_240.xy", "xy",
     8301, 9.90343322, 3566, 100.09488522, 2046, kNone, kNone, kNone, {}},
    {"XRD-AutoAnalyzer__PDF_Example_Li2CO3-ZrO2.xy", "xy",
     6442, 10.00343322, 443, 79.99417326, 123, kNone, kNone, kNone, {}},
    {"dash__tutorial-04_Tutorial_04.xye", "xy",
     2701, 7, 3690, 61, 331, kNone, kNone, kNone, {}},
    {"datalab__example_bmb.xye", "xy",
     575, 0.5, 662.407183, 1.073103125, 196.446337, kNone, kNone, kNone, {}},
    {"datalab__example_evadiffract.xy", "xy",
     28, 5.0001, 4.852, 5.2743, 4.324, kNone, kNone, kNone, {}},
    {"datalab__example_mythen.xye", "xy",
     74, 2.038, 76131, 2.33, 105132, kNone, kNone, kNone, {}},
    {"datalab__Scan_C1.xrdml", "xrdml",
     7181, 5.00475563, 374, 124.99166689, 158, 1.540598, 1.544426, 0.5, {}},
    {"datalab__Scan_C2.xrdml", "xrdml",
     7181, 5.00475563, 379, 124.99166689, 177, 1.540598, 1.544426, 0.5, {}},
    {"datalab__Scan_C3.xrdml", "xrdml",
     7181, 5.00475563, 397, 124.99166689, 167, 1.540598, 1.544426, 0.5, {}},
    {"datalab__Scan_C4.xrdml", "xrdml",
     7181, 5.00475563, 379, 124.99166689, 184, 1.540598, 1.544426, 0.5, {}},
    {"datalab__Scan_C5.xrdml", "xrdml",
     7181, 5.00475563, 349, 124.99166689, 175, 1.540598, 1.544426, 0.5, {}},
    {"datalab__HL1-2_5-90_60min.xrdml", "xrdml",
     6474, 5.00116514, 1426, 89.99348491, 1005, 1.540598, 1.544426, 0.5, {}},
    {"datalab__JO_KL_16_ZF_3_60deg_0.02step_12degpermin_001.rasx", "rasx",
     2851, 3, 2589, 60, 119, 1.540593, 1.544414, kNone, "JO_KL_16_ZF"},
    {"datalab__TiOF.brml", "brml",
     2469, 9.998839261, 4471, 60.012776015, 692, 1.5406, 1.54439, 0.5, "TiOF 18F.2"},
};
// clang-format on

}  // namespace

TEST_F(OpenDetected, EveryMeasuredFileAsReadByHand) {
  SKIP_WITHOUT_SHARED_DATA();
  for (const RealFile& f : kRealFiles) {
    SCOPED_TRACE(f.name);
    Open(SharedData(f.name));
    EXPECT_TRUE(host.failures.empty());
    ASSERT_EQ(doc.m_nData, f.points);
    ASSERT_TRUE(doc.m_format);
    EXPECT_STREQ(FormatName(*doc.m_format), f.format);
    EXPECT_EQ(doc.m_path, SharedData(f.name));
    EXPECT_NEAR(doc.m_x[1], f.firstX, 1e-9);
    EXPECT_EQ(doc.m_y[1], f.firstY);
    EXPECT_NEAR(doc.m_x[f.points], f.lastX, 1e-9);
    EXPECT_EQ(doc.m_y[f.points], f.lastY);
    EXPECT_EQ(doc.m_wavelengths.lambda1, f.lambda1);
    EXPECT_EQ(doc.m_wavelengths.lambda2, f.lambda2);
    EXPECT_EQ(doc.m_wavelengths.alpha2Ratio, f.ratio);
    EXPECT_EQ(doc.m_sample, f.sample);
  }
  // The XYE files keep their third column; a plain third column does not count.
  Open(SharedData("datalab__example_mythen.xye"));
  ASSERT_EQ(doc.m_sigma.size(), 75u);
  EXPECT_EQ(doc.m_sigma[1], 275.918466);
  EXPECT_EQ(doc.m_sigma[74], 324.240651);
  Open(SharedData("datalab__JO_KL_16_ZF_3_rasx_Profile0.txt"));
  EXPECT_TRUE(doc.m_sigma.empty());
}

TEST_F(OpenDetected, BrokenBrukerRawIsRefusedAndChangesNothing) {
  SKIP_WITHOUT_SHARED_DATA();
  Open(SharedData("datalab__Scan_C1.xrdml"));
  const std::string path =
      WriteTempFile("tav_detect_broken.raw", std::string("RAW4.00\0\xEF\xFF", 10));
  Open(path);
  ASSERT_EQ(host.failures.size(), 1u);
  EXPECT_EQ(host.failures[0], "データを読み込めませんでした: " + path +
                                  " (Bruker RAW: ファイルがヘッダーの途中で終わっています)");
  EXPECT_EQ(doc.m_nData, 7181);
  EXPECT_EQ(doc.m_path, SharedData("datalab__Scan_C1.xrdml"));
}

TEST_F(OpenDetected, XyListIsReadWholeAfterTheLinesToSkipWithoutTheColumnDialog) {
  std::string text = "2theta intensity\n";
  for (int i = 0; i < 12000; ++i) text += std::to_string(i) + " " + std::to_string(2 * i) + "\n";
  const std::string path = WriteTempFile("tav_detect_long.xy", text);
  host.column = ColumnSettings{1, 2, 3, 9999};
  host.fileType = FileType::Xy;
  host.openPath = path;
  OnFileOpen(view);
  EXPECT_EQ(doc.m_nData, 9999);  // the X-Y choice keeps its last line
  EXPECT_EQ(view.Reading().m_skipLines, 3);

  Open(path);
  EXPECT_EQ(host.columnDialogs, 1);
  EXPECT_EQ(doc.m_nData, 11998);
  EXPECT_EQ(doc.m_x[1], 2.0);
  EXPECT_EQ(doc.m_y[11998], 23998.0);
  EXPECT_EQ(view.Range().m_xMax, 11999.0);
}

TEST_F(OpenDetected, BrokenFilesAreReportedAndChangeNothing) {
  const std::string good = WriteTempFile("tav_detect_good.xye", "10 5 1\n11 6 2\n12 7 3\n");
  Open(good);
  ASSERT_EQ(doc.m_sigma.size(), 4u);
  const std::string cut =
      WriteTempFile("tav_detect_cut.xrdml",
                    "<?xml version=\"1.0\"?><xrdMeasurements><xrdMeasurement><scan><dataPoints>"
                    "<positions axis=\"2Theta\"><startPosition>1</startPosition>");
  const std::string zip = WriteTempFile("tav_detect_cut.rasx", "PK\x03\x04 garbage");
  Open(cut);
  Open(zip);
  ASSERT_EQ(host.failures.size(), 2u);
  EXPECT_EQ(host.failures[0].rfind("データを読み込めませんでした: " + cut + " (XRDML: ", 0), 0u);
  EXPECT_EQ(host.failures[1], "読み込める形式ではありません: " + zip + " (壊れた zip アーカイブ)");
  EXPECT_EQ(doc.m_nData, 3);
  EXPECT_EQ(doc.m_path, good);
  EXPECT_EQ(doc.m_sigma.size(), 4u);

  // Polarization scales the uncertainties with the intensities.
  const double ratio = doc.m_sigma[2] / doc.m_y[2];
  OnPolarCorrect(view);
  EXPECT_DOUBLE_EQ(doc.m_sigma[2] / doc.m_y[2], ratio);
}

TEST_F(OpenDetected, SeveralScansSayTheFirstIsRead) {
  const std::string path = WriteTempFile(
      "tav_detect_scans.ras",
      "*RAS_DATA_START\n*RAS_INT_START\n1 2 1\n2 3 1\n*RAS_INT_END\n*RAS_INT_START\n5 5 1\n"
      "*RAS_INT_END\n*RAS_DATA_END\n");
  Open(path);
  EXPECT_EQ(doc.m_nData, 2);
  EXPECT_TRUE(host.failures.empty());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], "複数のスキャンがあります: " + path +
                                  " (2 スキャンのうち最初のスキャンを読み込みました)");
}
