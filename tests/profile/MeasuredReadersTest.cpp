#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "profile/FileTypeDetect.h"
#include "profile/MeasuredReaders.h"
#include "tests/support/ZipBytes.h"

namespace {

const char kXrdml[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<xrdMeasurements xmlns="http://www.xrdml.com/XRDMeasurement/1.0">
  <sample type="To be analyzed"><id>S1</id><name> Quartz &amp; salt </name></sample>
  <xrdMeasurement measurementType="Scan">
    <usedWavelength intended="K-Alpha 1">
      <kAlpha1 unit="Angstrom">1.5405980</kAlpha1>
      <kAlpha2 unit="Angstrom">1.5444260</kAlpha2>
      <ratioKAlpha2KAlpha1>0.5000</ratioKAlpha2KAlpha1>
    </usedWavelength>
    <scan><dataPoints>
      <positions axis="2Theta" unit="deg"><listPositions>30 20 10</listPositions></positions>
      <positions axis="Omega" unit="deg"><startPosition>5</startPosition><endPosition>15</endPosition></positions>
      <beamAttenuationFactors>1 2 10</beamAttenuationFactors>
      <intensities unit="counts">5 6 7</intensities>
    </dataPoints></scan>
    <scan><dataPoints>
      <positions axis="2Theta" unit="deg"><startPosition>1</startPosition><endPosition>2</endPosition></positions>
      <intensities unit="counts">1 1</intensities>
    </dataPoints></scan>
  </xrdMeasurement>
</xrdMeasurements>
)";

const char kXrdml2[] = R"(<?xml version="1.0"?>
<xrdMeasurements xmlns="http://www.xrdml.com/XRDMeasurement/2.0"><sample><name/></sample>
  <xrdMeasurement><scan><dataPoints>
    <positions axis="Omega" unit="deg"><startPosition>5</startPosition><endPosition>5.5</endPosition></positions>
    <positions axis="2Theta" unit="deg"><startPosition>10</startPosition><endPosition>11</endPosition></positions>
    <counts unit="counts">4 5 6</counts>
  </dataPoints></scan></xrdMeasurement>
</xrdMeasurements>
)";

const char kRas[] =
    "*RAS_DATA_START\r\n*RAS_HEADER_START\r\n*FILE_SAMPLE \"NaCl powder\"\r\n"
    "*HW_XG_WAVE_LENGTH_ALPHA1 \"1.540593\"\r\n*HW_XG_WAVE_LENGTH_ALPHA2 \"1.544414\"\r\n"
    "*RAS_HEADER_END\r\n*RAS_INT_START\r\n10.00 100 1.0000\r\n10.02 150 2.5\r\n10.04 200 1\r\n"
    "*RAS_INT_END\r\n*RAS_HEADER_START\r\n*HW_XG_WAVE_LENGTH_ALPHA1 \"9.9\"\r\n"
    "*RAS_HEADER_END\r\n*RAS_INT_START\r\n20 1 1\r\n*RAS_INT_END\r\n*RAS_DATA_END\r\n";

const char kRasxProfile[] =
    "\xEF\xBB\xBF"
    "3.0000\t2589\t1\r\n3.0200\t2684\t0.5\r\n";
const char kRasxConditions[] =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?><MeasurementConditions>"
    "<GeneralInformation><SampleName>ZIF-8</SampleName></GeneralInformation><HW><XrayGenerator>"
    "<WavelengthKalpha1>1.540593</WavelengthKalpha1><WavelengthKalpha2>1.544414</WavelengthKalpha2>"
    "</XrayGenerator></HW></MeasurementConditions>";

const char kBrmlContainer[] =
    "<?xml version=\"1.0\"?><DataContainer><RawDataReferenceList>"
    "<string>Experiment0\\RawData0.xml</string></RawDataReferenceList>"
    "<MeasurementInfo SampleName=\"TiO2 anatase\" /></DataContainer>";
const char kBrmlRawData[] =
    "<?xml version=\"1.0\"?><RawData><DataRoutes><DataRoute RouteFlag=\"Measured\">"
    "<Datum>1,1,10.5,5.25,400</Datum><Datum>1,1,10.52,5.26,410.5</Datum></DataRoute></DataRoutes>"
    "<FixedInformation><Tube><WaveLengthAlpha1 Unit=\"A\" Value=\"1.5406\" />"
    "<WaveLengthAlpha2 Unit=\"A\" Value=\"1.54439\" /><WaveLengthRatio Value=\"0.5\" /></Tube>"
    "</FixedInformation></RawData>";

std::string Rasx() {
  return ZipBytes({{"Data0/Profile0.txt", kRasxProfile},
                   {"Data0/MesurementConditions0.xml", kRasxConditions},
                   {"root.xml", "<Root/>"}});
}

// The reason a reader gives for refusing bytes ("" when it reads them).
std::string Refusal(ProfileFormat format, const std::string& bytes) {
  try {
    ReadMeasuredProfile(format, bytes);
  } catch (const ProfileFormatError& error) {
    return error.what();
  }
  return "";
}

}  // namespace

TEST(MeasuredReaders, XrdmlFirstScanWithAttenuationListPositionsAndSample) {
  const MeasuredProfile p = ReadMeasuredProfile(ProfileFormat::Xrdml, kXrdml);
  // Descending positions stay as the file has them.
  EXPECT_EQ(p.x, (std::vector<double>{30, 20, 10}));
  EXPECT_EQ(p.y, (std::vector<double>{5, 12, 70}));
  EXPECT_EQ(p.wavelengths.lambda1, 1.540598);
  EXPECT_EQ(p.wavelengths.lambda2, 1.544426);
  EXPECT_EQ(p.wavelengths.alpha2Ratio, 0.5);
  EXPECT_EQ(p.sample, "Quartz & salt");
  EXPECT_EQ(p.scans, 2);

  // Schema 2.0: <counts>, the 2θ axis found among others, evenly spaced.
  const MeasuredProfile q = ReadMeasuredProfile(ProfileFormat::Xrdml, kXrdml2);
  EXPECT_EQ(q.x, (std::vector<double>{10, 10.5, 11}));
  EXPECT_EQ(q.y, (std::vector<double>{4, 5, 6}));
  EXPECT_FALSE(q.wavelengths.lambda1);
  EXPECT_FALSE(q.sample);
  EXPECT_EQ(q.scans, 1);
}

TEST(MeasuredReaders, RasFirstScanCountsTimesAttenuation) {
  const MeasuredProfile p = ReadMeasuredProfile(ProfileFormat::Ras, kRas);
  EXPECT_EQ(p.x, (std::vector<double>{10.00, 10.02, 10.04}));
  EXPECT_EQ(p.y, (std::vector<double>{100, 375, 200}));
  EXPECT_EQ(p.wavelengths.lambda1, 1.540593);  // the second scan's header is not read
  EXPECT_EQ(p.wavelengths.lambda2, 1.544414);
  EXPECT_FALSE(p.wavelengths.alpha2Ratio);
  EXPECT_EQ(p.sample, "NaCl powder");
  EXPECT_EQ(p.scans, 2);

  const std::string ras = kRas;
  // Cut off inside the first block, and a row that is no numbers.
  EXPECT_NE(Refusal(ProfileFormat::Ras, ras.substr(0, ras.find("10.04"))), "");
  std::string text = ras;
  text.replace(text.find("10.02"), 5, "ten");
  EXPECT_NE(Refusal(ProfileFormat::Ras, text).find("9 行目"), std::string::npos);
  // A block that runs into the next scan's is not taken for one scan.
  EXPECT_NE(Refusal(ProfileFormat::Ras,
                    "*RAS_DATA_START\n*RAS_INT_START\n1 1 1\n*RAS_INT_START\n2 2 1\n*RAS_INT_END\n")
                .find("*RAS_INT_END の前に"),
            std::string::npos);
}

TEST(MeasuredReaders, RasxAndBrmlArchives) {
  const MeasuredProfile rasx = ReadMeasuredProfile(ProfileFormat::Rasx, Rasx());
  EXPECT_EQ(rasx.x, (std::vector<double>{3.0, 3.02}));
  EXPECT_EQ(rasx.y, (std::vector<double>{2589, 1342}));
  EXPECT_EQ(rasx.wavelengths.lambda1, 1.540593);
  EXPECT_EQ(rasx.wavelengths.lambda2, 1.544414);
  EXPECT_EQ(rasx.sample, "ZIF-8");
  // Without the conditions the wavelengths are unknown.
  const MeasuredProfile bare =
      ReadMeasuredProfile(ProfileFormat::Rasx, ZipBytes({{"Data0/Profile0.txt", "1 2 1\n"}}));
  EXPECT_FALSE(bare.wavelengths.lambda1);

  const MeasuredProfile brml = ReadMeasuredProfile(
      ProfileFormat::Brml, ZipBytes({{"Experiment0/DataContainer.xml", kBrmlContainer},
                                     {"Experiment0/RawData0.xml", kBrmlRawData}}));
  EXPECT_EQ(brml.x, (std::vector<double>{10.5, 10.52}));
  EXPECT_EQ(brml.y, (std::vector<double>{400, 410.5}));
  EXPECT_EQ(brml.wavelengths.lambda1, 1.5406);
  EXPECT_EQ(brml.wavelengths.lambda2, 1.54439);
  EXPECT_EQ(brml.wavelengths.alpha2Ratio, 0.5);
  EXPECT_EQ(brml.sample, "TiO2 anatase");
}

TEST(MeasuredReaders, DetectionByContent) {
  const auto format = [](const std::string& bytes) { return DetectProfileFormat(bytes).format; };
  EXPECT_EQ(format(kXrdml), ProfileFormat::Xrdml);
  EXPECT_EQ(
      format("\xEF\xBB\xBF<!-- x > y --><!DOCTYPE a [<!ENTITY b \"<c>\">]>\n<p:xrdMeasurements/>"),
      ProfileFormat::Xrdml);
  EXPECT_EQ(format(kRas), ProfileFormat::Ras);
  EXPECT_EQ(format("*TYPE = RAS\n*COUNT          =  1\n5\n"), ProfileFormat::Rigaku);
  EXPECT_EQ(format("1 2\n3 4\n"), ProfileFormat::Xy);
  EXPECT_EQ(format(""), ProfileFormat::Xy);
  EXPECT_EQ(format(Rasx()), ProfileFormat::Rasx);
  EXPECT_EQ(format(ZipBytes({{"Experiment0/RawData0.xml", kBrmlRawData}})), ProfileFormat::Brml);

  EXPECT_EQ(format(std::string("RAW4.00\0\xEF\xFF", 10)), ProfileFormat::Raw);
  EXPECT_EQ(format("RAW "), ProfileFormat::Raw);
  EXPECT_EQ(format("; comment\n_FILEVERSION=2\n_2THETACOUNTS\n1 2\n"), ProfileFormat::Uxd);
  EXPECT_EQ(format("title\nBANK 1 2 1 CONST 1000 5 0 0 STD\n     1     2\n"), ProfileFormat::Gsas);
  EXPECT_EQ(format("t\n2-Theta Angle (Degrees)\nIntensity\n       2\n 1.0 2.0\n 2.0 3.0\n"),
            ProfileFormat::Chi);
  EXPECT_EQ(format("1 2\n3 4\n5 6\n7\n8 9\n"), ProfileFormat::Xy);  // line 2 numbers: no CHI

  // Recognised, not read: each says what it is.
  EXPECT_EQ(DetectProfileFormat(std::string("1 2\n\0\0\x01", 7)).recognised,
            "形式の分からないバイナリファイル");
  EXPECT_EQ(DetectProfileFormat("<html><body/></html>").recognised,
            "ルート要素が html の XML 文書");
  EXPECT_EQ(DetectProfileFormat(ZipBytes({{"readme.txt", "hello"}})).recognised,
            "RASX・BRML のデータがない zip アーカイブ");
  EXPECT_EQ(DetectProfileFormat("PK\x03\x04 nonsense after the magic").recognised,
            "壊れた zip アーカイブ");
}

TEST(MeasuredReaders, MalformedAndHostileInputsAreRefusedQuickly) {
  const auto start = std::chrono::steady_clock::now();
  const std::string xrdml = kXrdml;
  // Cut-off XML, and the right start followed by nonsense.
  EXPECT_NE(
      Refusal(ProfileFormat::Xrdml, xrdml.substr(0, xrdml.size() / 2)).find("XML が壊れています"),
      std::string::npos);
  EXPECT_NE(Refusal(ProfileFormat::Xrdml, "<?xml version=\"1.0\"?><xrdMeasurements>\x01\xff<<>"),
            "");
  // Nested entities are never expanded: the reference stays text, no number.
  std::string laughs = "<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY l0 \"lol\">";
  for (int i = 1; i < 10; ++i) {
    laughs += "<!ENTITY l" + std::to_string(i) + " \"";
    for (int k = 0; k < 10; ++k) laughs += "&l" + std::to_string(i - 1) + ";";
    laughs += "\">";
  }
  laughs += "]>" + xrdml.substr(xrdml.find("<xrdMeasurements"));
  laughs.replace(laughs.find("5 6 7"), 5, "&l9;");
  EXPECT_NE(Refusal(ProfileFormat::Xrdml, laughs).find("数値でない"), std::string::npos);
  // Deep nesting is parsed and searched without recursion.
  std::string deep = "<xrdMeasurements>";
  for (int i = 0; i < 200000; ++i) deep += "<a>";
  EXPECT_NE(Refusal(ProfileFormat::Xrdml, deep), "");

  // A zip bomb: a member whose directory claims more than the limit is not
  // inflated; one that understates its size is stopped there.
  const std::string bomb = ZipBytes({{"Data0/Profile0.txt", std::string(1 << 20, '\n')}});
  EXPECT_NE(Refusal(ProfileFormat::Rasx, WithStatedSize(bomb, 300u << 20)).find("大きすぎます"),
            std::string::npos);
  EXPECT_NE(Refusal(ProfileFormat::Rasx, WithStatedSize(bomb, 100)).find("目録と合いません"),
            std::string::npos);
  // A member the data container names is missing.
  EXPECT_EQ(
      Refusal(ProfileFormat::Brml, ZipBytes({{"Experiment0/DataContainer.xml", kBrmlContainer}})),
      "アーカイブに Experiment0/RawData0.xml がありません");
  EXPECT_NE(Refusal(ProfileFormat::Brml, "PK\x03\x04 and nothing of a zip"), "");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(MeasuredReaders, XmlListsReadEveryPieceOfTextOrAreRefused) {
  const std::string xrdml = kXrdml2;
  const auto withCounts = [&](const std::string& counts) {
    std::string text = xrdml;
    return text.replace(text.find("4 5 6"), 5, counts);
  };
  // Text split by a comment, a processing instruction or a CDATA section is
  // one list: every value is read, X spread over all of them.
  for (const std::string counts : {"4 <!-- c --> 5 6", "4 <?pi x?> 5 6", "4 <![CDATA[5]]> 6"}) {
    const MeasuredProfile p = ReadMeasuredProfile(ProfileFormat::Xrdml, withCounts(counts));
    EXPECT_EQ(p.y, (std::vector<double>{4, 5, 6})) << counts;
    EXPECT_EQ(p.x, (std::vector<double>{10, 10.5, 11})) << counts;
  }
  // An element inside the list, and a decimal comma, are refused with the reason.
  EXPECT_EQ(Refusal(ProfileFormat::Xrdml, withCounts("4 5 <b/> 6")),
            "<counts> の数値の間に要素 <b> があります");
  EXPECT_NE(Refusal(ProfileFormat::Xrdml, withCounts("4,5 5 6")).find("<counts> にコンマ"),
            std::string::npos);
  // A wavelength split by a comment is read whole.
  std::string split = kXrdml;
  split.replace(split.find("1.5405980"), 9, "1.54<!-- -->0598");
  EXPECT_EQ(ReadMeasuredProfile(ProfileFormat::Xrdml, split).wavelengths.lambda1, 1.540598);
}

TEST(MeasuredReaders, BrmlRowsNeedTwoThetaAndCountAndTheFirstRowsFieldCount) {
  const auto brml = [](const std::string& rows) {
    std::string raw = kBrmlRawData;
    const std::size_t begin = raw.find("<Datum>");
    const std::size_t end = raw.find("</DataRoute>");
    return ZipBytes({{"Experiment0/RawData0.xml", raw.replace(begin, end - begin, rows)}});
  };
  EXPECT_EQ(Refusal(ProfileFormat::Brml, brml("<Datum>1,1,10</Datum>")),
            "<Datum> の行の値が 3 個しかなく、2θ と強度が揃いません");
  EXPECT_EQ(
      Refusal(ProfileFormat::Brml, brml("<Datum>1,1,10,5,400</Datum><Datum>1,1,10.1,7</Datum>")),
      "<Datum> の行の値の数が最初の行 (5 個) と違います (4 個)");
  EXPECT_EQ(Refusal(ProfileFormat::Brml, brml("<Datum>1,1,10,5,<b/>400</Datum>")),
            "<Datum> の数値の間に要素 <b> があります");
  // Four fields a row (2θ, then the count last) are read.
  const MeasuredProfile p = ReadMeasuredProfile(
      ProfileFormat::Brml,
      brml("<Datum>1,1,10,400</Datum><Datum>1,1,<!-- -->10.1,4<![CDATA[10]]></Datum>"));
  EXPECT_EQ(p.x, (std::vector<double>{10, 10.1}));
  EXPECT_EQ(p.y, (std::vector<double>{400, 410}));
}
