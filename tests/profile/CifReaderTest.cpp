// The CIF powder data reader on a published pdCIF and on small CIFs written
// here, each compared with values worked out by hand or by plain string
// handling of the file's rows.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "profile/FileTypeDetect.h"
#include "profile/MeasuredReaders.h"
#include "tests/support/SharedData.h"
#include "tests/support/TempFile.h"

namespace {

MeasuredProfile ReadCifText(const std::string& text, int scan = 1) {
  const Detection detection = DetectProfileFormat(text);
  EXPECT_EQ(detection.format, ProfileFormat::Cif);
  return ReadMeasuredProfile(ProfileFormat::Cif, text, scan);
}

// The rows of the loop that starts at the line "_pd_meas_intensity_total":
// its first field "value(su)" split by hand.
struct Row {
  double y, su;
};
std::vector<Row> IntensityRows(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line) && line != "_pd_meas_intensity_total") {
  }
  while (std::getline(in, line) && line.starts_with('_')) {
  }
  std::vector<Row> rows;
  do {
    if (line.empty() || !std::isdigit(static_cast<unsigned char>(line[0]))) break;
    const std::string field = line.substr(0, line.find(' '));
    const std::size_t open = field.find('(');
    const std::string digits = field.substr(open + 1, field.find(')') - open - 1);
    // Integers here: the uncertainty counts whole units.
    rows.push_back({std::stod(field.substr(0, open)), std::stod(digits)});
  } while (std::getline(in, line));
  return rows;
}

TEST(CifReader, PublishedPowderPatternWithUncertainties) {
  SKIP_WITHOUT_SHARED_DATA();
  const std::string bytes = ReadFileBytes(SharedData("xylib__1517474.cif"));
  const MeasuredProfile profile = ReadCifText(bytes);
  const std::vector<Row> rows = IntensityRows(bytes);
  ASSERT_EQ(rows.size(), 3296u);
  ASSERT_EQ(profile.x.size(), rows.size());
  ASSERT_EQ(profile.sigma.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(profile.y[i], rows[i].y) << i;
    EXPECT_EQ(profile.sigma[i], rows[i].su) << i;
    // The processed 2θ range: 1.518 by 0.05 to 166.268.
    EXPECT_NEAR(profile.x[i], 1.518 + 0.05 * static_cast<double>(i), 1e-9) << i;
  }
  EXPECT_EQ(profile.y[0], 5540.0);
  EXPECT_EQ(profile.sigma[0], 160.0);
  EXPECT_NEAR(profile.x.back(), 166.268, 1e-9);
  EXPECT_EQ(profile.wavelengths.lambda1, 2.0785);
  EXPECT_FALSE(profile.wavelengths.lambda2);
  EXPECT_EQ(profile.scans, 1);
  EXPECT_EQ(profile.xQuantity, "2theta");
}

// Two blocks with a profile and one without; quoted values, a text field
// holding CIF-like lines, comments, and the measured 2θ range.
const char kTwoBlocks[] = R"(# a comment with data_ and _pd_ in it
data_global
_journal_name_full 'J. Test'
_publ_section_title
;
 loop_
 _pd_meas_counts_total  1 2 3   # all inside a text field
;
loop_
_diffrn_radiation_wavelength
_diffrn_radiation_wavelength_wt
1.544390 0.5
1.540560 1.0

data_first
_pd_spec_id "sample 'A'"
_pd_meas_2theta_range_min 10.0
_pd_meas_2theta_range_max 10.4
_pd_meas_2theta_range_inc 0.2
loop_
_pd_meas_counts_total
100 # first point
'121'
144
data_SECOND
_diffrn_radiation_wavelength 0.7093(2)
loop_
_pd_proc_2theta_corrected
_pd_proc_intensity_total
_pd_proc_ls_weight
5.5 1.25e2 0.04
6.0 2.5E1 0
6.5 -3.0 0.25
)";

TEST(CifReader, BlocksQuotesTextFieldsCommentsRangesAndWeights) {
  const MeasuredProfile first = ReadCifText(kTwoBlocks);
  EXPECT_EQ(first.scans, 2);
  EXPECT_EQ(first.x, (std::vector<double>{10.0, 10.2, 10.4}));
  EXPECT_EQ(first.y, (std::vector<double>{100, 121, 144}));
  EXPECT_TRUE(first.sigma.empty());  // measured counts without uncertainties
  EXPECT_EQ(first.sample, "sample 'A'");
  // The wavelengths of the block that states them, strongest line first.
  EXPECT_EQ(first.wavelengths.lambda1, 1.540560);
  EXPECT_EQ(first.wavelengths.lambda2, 1.544390);
  EXPECT_EQ(first.wavelengths.alpha2Ratio, 0.5);

  const MeasuredProfile second = ReadCifText(kTwoBlocks, 2);
  EXPECT_EQ(second.scan, 2);
  EXPECT_EQ(second.x, (std::vector<double>{5.5, 6.0, 6.5}));
  EXPECT_EQ(second.y, (std::vector<double>{125, 25, -3}));
  ASSERT_EQ(second.sigma.size(), 3u);
  EXPECT_DOUBLE_EQ(second.sigma[0], 5.0);    // 1/√0.04
  EXPECT_TRUE(std::isnan(second.sigma[1]));  // left out of the refinement: kept, σ unknown
  EXPECT_DOUBLE_EQ(second.sigma[2], 2.0);
  EXPECT_EQ(second.wavelengths.lambda1, 0.7093);
  EXPECT_NE(second.description.find("data_SECOND"), std::string::npos);

  EXPECT_THROW(ReadCifText(kTwoBlocks, 3), ProfileFormatError);
}

TEST(CifReader, UncertaintiesScaleWithTheLastDigitAndExponent) {
  const MeasuredProfile profile = ReadCifText(
      "data_u\n_pd_proc_2theta_range_min 1\n_pd_proc_2theta_range_max 4\n"
      "_pd_proc_2theta_range_inc 1\nloop_\n_pd_meas_intensity_total\n"
      "12.34(5)\n1.5e2(3)\n7\n-0.25(12)\n");
  ASSERT_EQ(profile.sigma.size(), 4u);
  EXPECT_DOUBLE_EQ(profile.sigma[0], 0.05);
  EXPECT_DOUBLE_EQ(profile.sigma[1], 30.0);  // 0.3e2
  EXPECT_TRUE(std::isnan(profile.sigma[2]));
  EXPECT_DOUBLE_EQ(profile.sigma[3], 0.12);
  EXPECT_EQ(profile.y, (std::vector<double>{12.34, 150, 7, -0.25}));
}

TEST(CifReader, BrokenOrIncompleteFilesAreRefusedWithTheReason) {
  const auto reason = [](const std::string& text) {
    try {
      ReadMeasuredProfile(ProfileFormat::Cif, text);
    } catch (const ProfileFormatError& error) {
      return std::string(error.what());
    }
    return std::string("read");
  };
  // No 2θ.
  EXPECT_NE(reason("data_a\nloop_\n_pd_meas_counts_total\n1\n2\n"), "read");
  // A range that does not span the points.
  EXPECT_NE(reason("data_a\n_pd_meas_2theta_range_min 1\n_pd_meas_2theta_range_max 9\n"
                   "_pd_meas_2theta_range_inc 1\nloop_\n_pd_meas_counts_total\n1\n2\n"),
            "read");
  // A value that is no number, an unknown one, a loop cut short, an unclosed text field.
  const std::string head = "data_a\nloop_\n_pd_meas_2theta_scan\n_pd_meas_counts_total\n";
  EXPECT_NE(reason(head + "1 2\n2 x\n"), "read");
  EXPECT_NE(reason(head + "1 2\n2 ?\n"), "read");
  EXPECT_NE(reason(head + "1 2\n2\n"), "read");
  EXPECT_NE(reason("data_a\n_pd_x\n;\nopen\n"), "read");
  // No powder profile at all.
  EXPECT_NE(reason("data_a\n_cell_length_a 5.43\n"), "read");
  EXPECT_EQ(reason(head + "1 2\n2 3\n"), "read");
}

}  // namespace
