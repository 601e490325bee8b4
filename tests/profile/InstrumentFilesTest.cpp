// The readers of Bruker RAW, UXD, GSAS and CHI files on the measured files,
// each compared with what is derived here another way: a text export of the
// same scan, the header arithmetic, or the rows counted directly.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "profile/FileTypeDetect.h"
#include "profile/MeasuredReaders.h"
#include "tests/support/SharedData.h"
#include "tests/support/TempFile.h"

namespace {

MeasuredProfile Read(const std::string& name, int scan = 1) {
  const std::string bytes = ReadFileBytes(SharedData(name));
  const Detection detection = DetectProfileFormat(bytes);
  EXPECT_TRUE(detection.format.has_value()) << name;
  return ReadMeasuredProfile(detection.format.value_or(ProfileFormat::Xy), bytes, scan);
}

// A row "2θ counts" of a UXD export, with half a unit of 2θ's last digit.
struct UxdRow {
  double x, y, halfDigit;
};

// The rows after the _2THETACOUNTS line of a UXD export.
std::vector<UxdRow> UxdRows(const std::string& name) {
  std::istringstream in(ReadFileBytes(SharedData(name)));
  std::string line;
  while (std::getline(in, line) && line.rfind("_2THETACOUNTS", 0) != 0) {
  }
  std::vector<UxdRow> rows;
  std::string x;
  double y;
  while (in >> x >> y) {
    const std::size_t decimals = x.size() - x.find('.') - 1;
    rows.push_back({std::stod(x), y, 0.5 * std::pow(10.0, -static_cast<double>(decimals))});
  }
  return rows;
}

TEST(InstrumentFiles, BrukerRawV3EqualsItsUxdExport) {
  SKIP_WITHOUT_SHARED_DATA();
  const MeasuredProfile raw = Read("xylib__BT86.raw");
  const MeasuredProfile uxd = Read("xylib__BT86_.UXD");
  const auto rows = UxdRows("xylib__BT86_.UXD");
  ASSERT_EQ(rows.size(), 2374u);
  ASSERT_EQ(raw.x.size(), rows.size());
  ASSERT_EQ(uxd.x.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(raw.y[i], rows[i].y) << i;
    EXPECT_EQ(uxd.y[i], rows[i].y) << i;
    // The export writes 2θ rounded to four or five significant digits.
    EXPECT_NEAR(raw.x[i], rows[i].x, rows[i].halfDigit * 1.0001) << i;
  }
  EXPECT_EQ(raw.wavelengths, uxd.wavelengths);
  EXPECT_EQ(raw.sample, uxd.sample);
  EXPECT_EQ(*raw.wavelengths.lambda1, 1.5406);
}

TEST(InstrumentFiles, BrukerRawV3ThreeRangesFollowTheirHeaders) {
  SKIP_WITHOUT_SHARED_DATA();
  // (first 2θ, step, points) of each range, as the header fields say.
  const double ranges[3][3] = {{10.0, 0.1, 101}, {30.0, 0.2, 26}, {40.0, 0.1, 51}};
  for (int r = 0; r < 3; ++r) {
    const MeasuredProfile p = Read("xylib__format1.raw", r + 1);
    EXPECT_EQ(p.scans, 3);
    EXPECT_EQ(p.scan, r + 1);
    ASSERT_EQ(p.x.size(), static_cast<std::size_t>(ranges[r][2]));
    EXPECT_DOUBLE_EQ(p.x.front(), ranges[r][0]);
    EXPECT_NEAR(p.x.back(), ranges[r][0] + ranges[r][1] * (ranges[r][2] - 1), 1e-9);
  }
  EXPECT_THROW(Read("xylib__format1.raw", 4), ProfileFormatError);
}

// Each RAW version: the points its file size leaves room for, the first 2θ.
TEST(InstrumentFiles, BrukerRawVersionsOneToFour) {
  SKIP_WITHOUT_SHARED_DATA();
  struct Case {
    const char* name;
    std::size_t points;
    double first, last;
    const char* sample;
  };
  const Case cases[] = {
      {"PyXRD__brk_raw1.raw", 876, 4.98, 39.98, "VINAIGRE"},
      {"PyXRD__brk_raw2.raw", 7251, 5.0, 150.0, "ZINCITE.DAT"},
      {"geddes__bruker4_v5converter.raw", 4059, 37.0001, 120.0046,
       "Cu-12%Ag_500C1700h_P5n5rpm1_RT"},
      {"datalab__TiO2.raw", 1647, 10.0, 70.0411, "TiO2"},
      {"geddes__bruker4_diffrac_eva.raw", 7134, 10.0, 85.0413,
       "HeOx-1001-nsp-sps-900C-10min-01-poliert"},
  };
  for (const Case& c : cases) {
    const MeasuredProfile p = Read(c.name);
    EXPECT_EQ(p.x.size(), c.points) << c.name;
    EXPECT_NEAR(p.x.front(), c.first, 1e-4) << c.name;
    EXPECT_NEAR(p.x.back(), c.last, 1e-3) << c.name;
    EXPECT_EQ(p.sample.value_or(""), c.sample) << c.name;
    EXPECT_FALSE(p.announced) << c.name;
  }
  // One range of 4-byte records: the intensities are the file's last 4·n
  // bytes, float32 each.
  for (const char* name : {"PyXRD__brk_raw1.raw", "PyXRD__brk_raw2.raw",
                           "geddes__bruker4_v5converter.raw", "datalab__TiO2.raw"}) {
    const std::string bytes = ReadFileBytes(SharedData(name));
    const std::vector<double> y = Read(name).y;
    ASSERT_GE(bytes.size(), 4 * y.size()) << name;
    const char* data = bytes.data() + bytes.size() - 4 * y.size();
    for (std::size_t i = 0; i < y.size(); ++i) {
      float value;
      std::memcpy(&value, data + 4 * i, sizeof value);
      ASSERT_EQ(y[i], value) << name << " point " << i;
    }
  }
  // 8-byte records: a float and a flag; the last float is at the file's end.
  const std::string eva = ReadFileBytes(SharedData("geddes__bruker4_diffrac_eva.raw"));
  float last;
  std::memcpy(&last, eva.data() + eva.size() - 8, sizeof last);
  EXPECT_EQ(Read("geddes__bruker4_diffrac_eva.raw").y.back(), last);
  EXPECT_LT(last, 0.0f);  // the publisher's scrambled intensities include negative ones
}

TEST(InstrumentFiles, RawCutShortKeepsItsWholePointsAndBrokenHeadersAreRefused) {
  SKIP_WITHOUT_SHARED_DATA();
  const std::string bytes = ReadFileBytes(SharedData("xylib__BT86.raw"));
  // Cut in the middle of the 101st record.
  const std::string cut = bytes.substr(0, 1056 + 100 * 4 + 2);
  const MeasuredProfile p = ReadMeasuredProfile(ProfileFormat::Raw, cut);
  EXPECT_EQ(p.x.size(), 100u);
  EXPECT_EQ(p.announced, 2374u);
  // Within the file header, a range count far beyond the file, a v4 record
  // length past its end: refused, never read past the bytes.
  EXPECT_THROW(ReadMeasuredProfile(ProfileFormat::Raw, bytes.substr(0, 700)), ProfileFormatError);
  std::string many = bytes.substr(0, 712);
  many[12] = '\xFF';
  many[13] = '\xFF';
  EXPECT_THROW(ReadMeasuredProfile(ProfileFormat::Raw, many), ProfileFormatError);
  std::string v4 = ReadFileBytes(SharedData("datalab__TiO2.raw"));
  v4[61 + 4] = '\x7F';
  EXPECT_THROW(ReadMeasuredProfile(ProfileFormat::Raw, v4), ProfileFormatError);
}

TEST(InstrumentFiles, GsasBanksByColumn) {
  SKIP_WITHOUT_SHARED_DATA();
  // STD: BANK 1 6001 601 CONST 1000 2.5: 10° by 0.025° to 160°; the first row's counts.
  const MeasuredProfile xra = Read("GSAS-II__PBSO4.XRA");
  ASSERT_EQ(xra.x.size(), 6001u);
  EXPECT_DOUBLE_EQ(xra.x.back(), (1000 + 6000 * 2.5) / 100);
  EXPECT_EQ(std::vector<double>(xra.y.begin(), xra.y.begin() + 3),
            (std::vector<double>{179, 147, 165}));
  // STD with a count before every intensity: " 1   220".
  const MeasuredProfile cwn = Read("GSAS-II__PBSO4.CWN");
  EXPECT_EQ(cwn.x.size(), 2919u);
  EXPECT_EQ(cwn.y[0], 220);
  // ESD: intensities and σ in 8-column fields, one σ of 0.
  const MeasuredProfile esd = Read("geddes__profile_esd.gsas");
  EXPECT_EQ(esd.y, (std::vector<double>{4, 81, 144, 9, 1}));
  EXPECT_EQ(esd.sigma, (std::vector<double>{2, 9, 0, 3, 1}));
  EXPECT_DOUBLE_EQ(esd.x[1], 10.125);
  // FXYE: 2θ in centidegrees, σ kept.
  const MeasuredProfile fxye = Read("GSAS-II__11bmb_0842.fxye");
  EXPECT_EQ(fxye.x.size(), 23699u);
  EXPECT_DOUBLE_EQ(fxye.x[0], 0.499);
  EXPECT_DOUBLE_EQ(fxye.sigma[0], 6.17527);
  // Fields that run together are still read by column.
  const MeasuredProfile joined = ReadMeasuredProfile(
      ProfileFormat::Gsas,
      "t\nBANK 1 3 1 CONS 1000 10 0 0 ESD\n 12345.0    11.0 99999.0   316.0     1.0     1.0\n");
  EXPECT_EQ(joined.y, (std::vector<double>{12345, 99999, 1}));
  EXPECT_THROW(ReadMeasuredProfile(ProfileFormat::Gsas, "t\nBANK 1 3 1 RALF 1 2 3 4 ALT\n"),
               ProfileFormatError);
}

TEST(InstrumentFiles, ChiShorterThanItsCountKeepsItsRows) {
  SKIP_WITHOUT_SHARED_DATA();
  const std::string text = ReadFileBytes(SharedData("Dioptas__pattern_001.chi"));
  std::istringstream in(text);
  std::string line;
  for (int i = 0; i < 4; ++i) std::getline(in, line);
  std::size_t rows = 0;
  while (std::getline(in, line)) rows += line.find_first_not_of(' ') != std::string::npos;
  const MeasuredProfile p = Read("Dioptas__pattern_001.chi");
  EXPECT_EQ(p.x.size(), rows);
  EXPECT_EQ(p.announced, 1455u);
  EXPECT_EQ(p.xQuantity, "2theta");
  const MeasuredProfile q =
      ReadMeasuredProfile(ProfileFormat::Chi, "t\nQ (nm^-1)\nI\n2\n1 5\n2 6\n");
  EXPECT_EQ(q.xQuantity, "q");
  EXPECT_EQ(q.xUnit, "1/nm");
}

TEST(InstrumentFiles, RasPoleFigureScansAreEachReadableOverPhi) {
  SKIP_WITHOUT_SHARED_DATA();
  const MeasuredProfile first = Read("mtex__Bruker_xrd_10-10.ras");
  const MeasuredProfile last = Read("mtex__Bruker_xrd_10-10.ras", 19);
  EXPECT_EQ(first.scans, 19);
  EXPECT_EQ(last.x.size(), 73u);
  EXPECT_EQ(last.xQuantity, "phi");
  EXPECT_NE(first.y, last.y);
  EXPECT_NE(last.description.find("Chi"), std::string::npos);
  EXPECT_THROW(Read("mtex__Bruker_xrd_10-10.ras", 20), ProfileFormatError);
}

}  // namespace
