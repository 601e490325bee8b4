#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>

#include "profile/ProfileReaders.h"
#include "profile/TextSource.h"
#include "profile/Tokens.h"
#include "tests/support/SharedData.h"

namespace {

std::string Header(int count) {
  return "*START          =  10\n*STEP           =  0.5\n*STOP           =  20\n"
         "*COUNT          =  " +
         std::to_string(count) + "\n";
}

// The length of the run of digits at token[i...].
std::size_t DigitsAt(std::string_view token, std::size_t i) {
  std::size_t n = 0;
  while (i + n < token.size() && token[i + n] >= '0' && token[i + n] <= '9') ++n;
  return n;
}

// The X-Y reader as its rules say, token by token: SplitTokens, then each
// token's decimal prefix, [+-]?(D+(.D*)?|.D+)([eE][+-]?D+)?, read by strtod.
std::optional<double> ReferenceNumber(std::string_view token) {
  std::size_t i = token.starts_with('+') || token.starts_with('-') ? 1 : 0;
  const std::size_t whole = DigitsAt(token, i);
  i += whole;
  std::size_t fraction = 0;
  if (i < token.size() && token[i] == '.') {
    fraction = DigitsAt(token, i + 1);
    if (whole > 0 || fraction > 0) i += 1 + fraction;
  }
  if (whole == 0 && fraction == 0) return std::nullopt;
  if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < token.size() && (token[j] == '+' || token[j] == '-')) ++j;
    if (const std::size_t exponent = DigitsAt(token, j); exponent > 0) i = j + exponent;
  }
  return std::strtod(std::string(token.substr(0, i)).c_str(), nullptr);
}

XyProfile ReferenceXy(std::string_view text) {
  XyProfile profile;
  LineReader reader(text);
  std::string_view line;
  bool everyThird = true;
  while (reader.Next(line) && line.size() >= 2) {
    const auto tokens = SplitTokens(line, 3);
    std::vector<std::optional<double>> numbers;
    for (const std::string_view token : tokens) numbers.push_back(ReferenceNumber(token));
    if (numbers.size() < 2 || !numbers[0] || !numbers[1]) continue;
    profile.x.push_back(*numbers[0]);
    profile.y.push_back(*numbers[1]);
    everyThird = everyThird && numbers.size() == 3 && numbers[2];
    if (everyThird) profile.third.push_back(*numbers[2]);
  }
  if (!everyThird) profile.third.clear();
  return profile;
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

}  // namespace

TEST(RigakuReader, BlankAndTabPaddedKeysReadAlike) {
  const RigakuProfile blanks = ReadRigakuProfile(Header(4) + "1 2 3 4\n");
  const RigakuProfile tabs = ReadRigakuProfile(
      "*START\t\t=  10\n*STEP\t\t=  0.5\n*STOP\t\t=  20\n*COUNT\t\t=  4\n1 2 3 4\n");
  for (const RigakuProfile& p : {blanks, tabs}) {
    EXPECT_EQ(p.start, 10.0);
    EXPECT_EQ(p.step, 0.5);
    EXPECT_EQ(p.stop, 20.0);
    EXPECT_EQ(p.count, 4);
    EXPECT_EQ(p.values, (std::vector<double>{1, 2, 3, 4}));
  }
}

TEST(RigakuReader, DataBlockRules) {
  // At most four values a line; a fifth is dropped.
  EXPECT_EQ(ReadRigakuProfile(Header(8) + "1 2 3 4 5\n6\n").values,
            (std::vector<double>{1, 2, 3, 4, 6}));
  // A short line, and a line starting with '*', end the block.
  EXPECT_EQ(ReadRigakuProfile(Header(8) + "1, 2\n\n3\n").values, (std::vector<double>{1, 2}));
  EXPECT_EQ(ReadRigakuProfile(Header(8) + "1, 2\n*END\n3\n").values, (std::vector<double>{1, 2}));
  // No final line end.
  EXPECT_EQ(ReadRigakuProfile(Header(2) + "7, 8").values, (std::vector<double>{7, 8}));
  // Keys without the *COUNT line: no data block at all.
  const RigakuProfile none = ReadRigakuProfile("*START          =  1\n1 2 3\n");
  EXPECT_FALSE(none.count);
  EXPECT_TRUE(none.values.empty());
  // Value text shorter than the value column reads as 0.
  EXPECT_EQ(ReadRigakuProfile("*COUNT          =\n1\n").count, 0);
}

TEST(RigakuReader, KeyComparisonNeedsTheWholeKey) {
  const RigakuProfile p =
      ReadRigakuProfile("*STARTX         =  5\n*START =  6\n*COUNT          =  1\n9\n");
  EXPECT_FALSE(p.start);
  EXPECT_EQ(p.values, std::vector<double>{9});
}

TEST(RigakuReader, WavelengthsFromBlankAndTabPaddedKeys) {
  const RigakuProfile p = ReadRigakuProfile(
      "*WAVE_LENGTH1\t=  1.54059\n*WAVE_LENGTH2   =  1.54441\n*COUNT          =  1\n9\n");
  EXPECT_EQ(p.waveLength1, 1.54059);
  EXPECT_EQ(p.waveLength2, 1.54441);
  const Wavelengths w = RigakuWavelengths(p);
  EXPECT_EQ(w.lambda1, 1.54059);
  EXPECT_EQ(w.lambda2, 1.54441);
  EXPECT_FALSE(w.alpha2Ratio);
  // A value that is not a number, or none, leaves the wavelength unknown.
  const RigakuProfile bad = ReadRigakuProfile(
      "*WAVE_LENGTH1\t=  unknown\n*WAVE_LENGTH2\t=\n*WAVE_LENGTH =  1.5\n*COUNT\t\t=  1\n9\n");
  EXPECT_FALSE(bad.waveLength1);
  EXPECT_FALSE(bad.waveLength2);
}

TEST(RigakuReader, WavelengthsOfMeasuredFiles) {
  SKIP_WITHOUT_SHARED_DATA();
  for (const char* name : {"AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc",
                           "ornl_xrd_to_bragg_peaks__tests_xrd_file.asc"}) {
    std::string text, error;
    ASSERT_TRUE(LoadProfileText(SharedData(name), text, error)) << error;
    const Wavelengths w = RigakuWavelengths(ReadRigakuProfile(text));
    EXPECT_EQ(w.lambda1, 1.54059) << name;
    EXPECT_EQ(w.lambda2, 1.54441) << name;
  }
}

TEST(XyReader, SkipLastLineAndStopRules) {
  const std::string text = "header line\n1.0,2.0\n2.0 3.0\n3 4\n";
  XyProfile p = ReadXyProfile(text, 1, 9999);
  EXPECT_EQ(p.x, (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(p.y, (std::vector<double>{2, 3, 4}));
  EXPECT_EQ(ReadXyProfile(text, 1, 2).x.size(), 2u);
  // A blank line right after the header stops the read.
  EXPECT_TRUE(ReadXyProfile("\n1 2\n", 0, 9999).x.empty());
  EXPECT_EQ(ReadXyProfile("\n1 2\n", 1, 9999).x.size(), 1u);
  // The rest of a line after two tokens is ignored.
  EXPECT_EQ(ReadXyProfile("1 2 99 100\n", 0, 9999).y, std::vector<double>{2});
}

TEST(XyReader, LinesWithoutTwoNumbersGiveNoPoint) {
  const XyProfile p = ReadXyProfile("1.78897\ntheta,intensity\n   \n5 6\n7 8x\n", 0, 9999);
  EXPECT_EQ(p.x, (std::vector<double>{5, 7}));
  EXPECT_EQ(p.y, (std::vector<double>{6, 8}));
}

TEST(Readers, LongLinesAreReadWhole) {
  const std::string blanks(252, ' ');
  const XyProfile xy = ReadXyProfile("1 2\n" + blanks + "10.5 200\n3 4\n", 0, 9999);
  EXPECT_EQ(xy.x, (std::vector<double>{1, 10.5, 3}));
  EXPECT_EQ(xy.y, (std::vector<double>{2, 200, 4}));
  // A long line is one line to skip.
  EXPECT_EQ(ReadXyProfile(std::string(1000, '#') + "\n5 6\n", 1, 9999).x, std::vector<double>{5});
  EXPECT_EQ(ReadRigakuProfile(Header(3) + blanks + "12345 678\n9\n").values,
            (std::vector<double>{12345, 678, 9}));
}

TEST(Readers, CarriageReturnLineEnds) {
  const RigakuProfile r = ReadRigakuProfile(
      "*START          =  10\r*STEP           =  0.5\r*COUNT          =  5\r1, 2, 3, 4\r5\r*END\r");
  EXPECT_EQ(r.start, 10.0);
  EXPECT_EQ(r.step, 0.5);
  EXPECT_EQ(r.count, 5);
  EXPECT_EQ(r.values, (std::vector<double>{1, 2, 3, 4, 5}));
  const XyProfile xy = ReadXyProfile("2theta I\r1 2\r3 4\r\r5 6\r", 1, 9999);
  EXPECT_EQ(xy.x, (std::vector<double>{1, 3}));  // the empty line ends the data
  EXPECT_EQ(xy.y, (std::vector<double>{2, 4}));
}

TEST(Readers, MalformedInputNeverReadsOutOfBounds) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) % 256);
  const std::string longLine(300, '9');
  for (const std::string& text :
       {garbage, std::string(), std::string("\n"), longLine, Header(3) + longLine + "\n",
        Header(-5) + "1 2\n", Header(2147483647) + "1 2\n", std::string("*COUNT          ="),
        Header(3) + "nan inf 0x10 -inf\n", std::string("nan inf\n0x10 1e999\n")}) {
    const RigakuProfile r = ReadRigakuProfile(text);
    const XyProfile x = ReadXyProfile(text, 0, 9999);
    EXPECT_EQ(x.x.size(), x.y.size());
    EXPECT_LE(r.values.size(), text.size());
  }
  // A 300-character line is one line with one value.
  EXPECT_EQ(ReadRigakuProfile(Header(3) + longLine + "\n").values.size(), 1u);
  EXPECT_EQ(ReadRigakuProfile(Header(3) + "nan inf 0x10 -inf\n").values,
            (std::vector<double>{0, 0, 0, 0}));
}

TEST(XyReader, TrickyLinesReadAsTheRulesSay) {
  // Signs, points, exponents with and without digits, Fortran D exponents,
  // hex, inf and nan, separators of every kind, trailing garbage, NUL bytes.
  const std::vector<std::string> pieces{"+1.5",
                                        "-2e3",
                                        ".5",
                                        "7.",
                                        "-.25E-2",
                                        "1e",
                                        "1e+",
                                        "1.0D+02",
                                        "0x1A",
                                        "inf",
                                        "-nan",
                                        "+-1",
                                        "-",
                                        ".",
                                        "12abc",
                                        "3,4",
                                        "\t",
                                        "  ",
                                        ",",
                                        "\v\f",
                                        "\r",
                                        "\r\n",
                                        "\r\r\n",
                                        std::string(1, '\0'),
                                        "1e400",
                                        "-1e-400",
                                        "0.1",
                                        "123456789012345678901234",
                                        "\"2\"",
                                        "9.999999999999999e22",
                                        "2.2250738585072011e-308",
                                        "4.9406564584124654e-324"};
  std::mt19937 random(11);
  std::size_t points = 0;
  for (int line = 0; line < 20000; ++line) {
    std::string text;
    const int count = 2 + static_cast<int>(random() % 5);
    for (int k = 0; k < count; ++k) {
      text += pieces[random() % pieces.size()];
      if (random() % 3 != 0) text += random() % 2 ? " " : ",";
    }
    text += '\n';
    const XyProfile read = ReadXyProfile(text, 0, INT_MAX);
    const XyProfile reference = ReferenceXy(text);
    ASSERT_TRUE(SameBits(read.x, reference.x) && SameBits(read.y, reference.y) &&
                SameBits(read.third, reference.third))
        << text;
    points += read.x.size();
  }
  EXPECT_GT(points, 5000u);
}
