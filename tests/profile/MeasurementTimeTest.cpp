// Scan start times against seconds since 1970 worked out by GNU date
// (`date -u -d "2020-11-06T18:09:37+00:00" +%s`), and against the files.
#include <gtest/gtest.h>

#include <string>

#include "profile/FileTypeDetect.h"
#include "profile/MeasuredReaders.h"
#include "profile/MeasurementTime.h"
#include "tests/support/SharedData.h"
#include "tests/support/TempFile.h"

TEST(MeasurementTime, TimestampsOfEachWritingAgreeWithTheCalendar) {
  EXPECT_EQ(IsoTimestampSeconds("2020-11-06T18:09:37+00:00"), 1604686177.0);
  EXPECT_EQ(IsoTimestampSeconds("2024-03-08T11:13:20-06:00"), 1709918000.0);
  EXPECT_EQ(IsoTimestampSeconds(" 2025-03-07T13:28:15Z\n"), 1741354095.0);
  EXPECT_EQ(IsoTimestampSeconds("2025-02-26T10:47:52.5+00:00"), 1740566872.5);
  EXPECT_EQ(IsoTimestampSeconds("2000-02-29T00:00:00"), 951782400.0);  // leap day
  EXPECT_EQ(IsoTimestampSeconds("1969-07-20T20:17:40Z"), -14182940.0);
  EXPECT_EQ(UsTimestampSeconds("03/23/09 16:25:45"), 1237825545.0);
  EXPECT_EQ(UsTimestampSeconds("\"12/31/99 23:59:59\""), 946684799.0);
  EXPECT_EQ(UsTimestampSeconds("07/11/2018 15:55:31"), 1531324531.0);
  EXPECT_EQ(BrukerTextTimestampSeconds("'04-Mar-2010 20:59:14'"), 1267736354.0);

  // Not dates, or not the writing asked for: nothing, never a wrong time.
  for (const char* text : {"", "2020-11-06", "2021-02-29T00:00:00", "2020-13-01T00:00:00",
                           "2020-11-06T24:00:00", "2020-11-06T18:09:37+0", "2020-11-06T18:09:37 x",
                           "2020-11-06T18:09:37.Z", "0001-01-01T00:00:00"}) {
    EXPECT_FALSE(IsoTimestampSeconds(text)) << text;
  }
  for (const char* text : {"23/03/09 16:25:45", "03/23/09", "03/23/098 16:25:45", "3/3/09 1:2:3"}) {
    EXPECT_FALSE(UsTimestampSeconds(text)) << text;
  }
  EXPECT_FALSE(BrukerTextTimestampSeconds("04-Mrz-2010 20:59:14"));
  EXPECT_FALSE(BrukerTextTimestampSeconds("31-Apr-2010 20:59:14"));
}

namespace {

std::optional<double> StartOf(const std::string& name, int scan = 1) {
  const std::string bytes = ReadFileBytes(SharedData(name));
  const Detection detection = DetectProfileFormat(bytes);
  return ReadMeasuredProfile(detection.format.value_or(ProfileFormat::Xy), bytes, scan).startTime;
}

}  // namespace

TEST(MeasurementTime, ReadersTakeTheScansStartFromTheHeader) {
  SKIP_WITHOUT_SHARED_DATA();
  // The five XRDML scans of one series, 14 min 58 s apart but the last.
  EXPECT_EQ(StartOf("datalab__Scan_C1.xrdml"), 1604686177.0);
  EXPECT_EQ(StartOf("datalab__Scan_C5.xrdml"), 1604686177.0 + 3600.0 - 5.0);
  EXPECT_EQ(StartOf("datalab__HL1-2_5-90_60min.xrdml"), 1709918000.0);
  EXPECT_EQ(StartOf("datalab__TiOF.brml"), IsoTimestampSeconds("2025-02-26T10:47:52.8708798Z"));
  EXPECT_EQ(StartOf("datalab__JO_KL_16_ZF_3_60deg_0.02step_12degpermin_001.rasx"), 1741354095.0);
  // Each RAS scan its own start: the first two 2 min 48 s apart.
  EXPECT_EQ(StartOf("mtex__Bruker_xrd_10-10.ras", 1), 1237825545.0);
  EXPECT_EQ(StartOf("mtex__Bruker_xrd_10-10.ras", 2), 1237825545.0 + 168.0);
  // The UXD file and the RAW v3 file of the same scan agree.
  EXPECT_EQ(StartOf("xylib__BT86_.UXD"), 1267736354.0);
  EXPECT_EQ(StartOf("xylib__BT86.raw"), 1267736354.0);
  EXPECT_EQ(StartOf("datalab__TiO2.raw"), 1531324531.0);
  // Formats without a start: nothing.
  EXPECT_FALSE(StartOf("PyXRD__brk_raw1.raw"));
  EXPECT_FALSE(StartOf("GSAS-II__PBSO4.XRA"));
}
