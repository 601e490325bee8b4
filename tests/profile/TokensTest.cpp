#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "profile/TextSource.h"
#include "profile/Tokens.h"

namespace {

std::vector<std::string> Words(std::string_view line, std::size_t max = 100) {
  std::vector<std::string> out;
  for (auto t : SplitTokens(line, max)) out.emplace_back(t);
  return out;
}

std::vector<std::string> Lines(std::string_view text) {
  LineReader reader(text);
  std::vector<std::string> out;
  std::string_view line;
  while (reader.Next(line)) out.emplace_back(line);
  return out;
}

// strtod in the C locale is correctly rounded, as the reader must be.
double Strtod(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A random decimal number of up to 25 digits, with or without a point, a sign
// and an exponent, sometimes beyond the range of a double.
std::string RandomDecimal(std::mt19937& random) {
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  std::string text = std::string(pick(3) == 0 ? "-" : pick(5) == 0 ? "+" : "");
  const int digits = 1 + pick(25);
  const int point = pick(digits + 2) - 1;  // -1: none
  for (int i = 0; i < digits; ++i) {
    if (i == point) text += '.';
    text += static_cast<char>('0' + (pick(3) == 0 ? 0 : pick(10)));
  }
  if (point == digits) text += '.';
  if (pick(2) == 0) {
    text += pick(2) ? 'e' : 'E';
    text += std::to_string(pick(700) - 350);
  }
  return text;
}

}  // namespace

TEST(Tokens, CommasBlanksAndTabsSeparate) {
  EXPECT_EQ(Words("1.0,2.0\n"), (std::vector<std::string>{"1.0", "2.0"}));
  EXPECT_EQ(Words("  165, 187,\t159 ,160\r\n"),
            (std::vector<std::string>{"165", "187", "159", "160"}));
  EXPECT_EQ(Words(",,,\n"), std::vector<std::string>{});
  EXPECT_EQ(Words("1 2 3 4 5\n", 4), (std::vector<std::string>{"1", "2", "3", "4"}));
}

TEST(Tokens, DecimalPrefixReadsLikeAtofInDecimalOnly) {
  EXPECT_EQ(DecimalPrefix("12.5abc"), 12.5);
  EXPECT_EQ(DecimalPrefix("abc"), 0.0);
  EXPECT_EQ(DecimalPrefix("  -3.25e2x"), -325.0);
  EXPECT_EQ(DecimalPrefix("+.5"), 0.5);
  EXPECT_EQ(DecimalPrefix("7."), 7.0);
  EXPECT_EQ(DecimalPrefix("1e"), 1.0);
  EXPECT_EQ(DecimalPrefix("1e+"), 1.0);
  EXPECT_EQ(DecimalPrefix("0x1A"), 0.0);
  EXPECT_EQ(DecimalPrefix("nan"), 0.0);
  EXPECT_EQ(DecimalPrefix("inf"), 0.0);
  EXPECT_EQ(DecimalPrefix("-"), 0.0);
  EXPECT_EQ(DecimalPrefix("."), 0.0);
  EXPECT_EQ(DecimalPrefix("1e400"), HUGE_VAL);
  EXPECT_EQ(DecimalPrefix("-1e400"), -HUGE_VAL);
  EXPECT_EQ(DecimalPrefix("1e-400"), 0.0);
  EXPECT_EQ(DecimalPrefix("0.1"), 0.1);
  EXPECT_FALSE(HasDecimalPrefix("theta"));
  EXPECT_FALSE(HasDecimalPrefix("\"2"));
  EXPECT_TRUE(HasDecimalPrefix("2theta"));
}

TEST(Tokens, DecimalsAreCorrectlyRoundedAndSpanTheirWholeText) {
  std::mt19937 random(7);
  for (int i = 0; i < 200000; ++i) {
    const std::string number = RandomDecimal(random);
    const std::string text = number + (i % 2 ? "x" : ",1");
    const DecimalNumber scanned = ScanDecimal(text);
    ASSERT_EQ(scanned.length, number.size()) << text;
    ASSERT_TRUE(SameBits(scanned.value, Strtod(number))) << text;
  }
  // Beyond the range of a double, by the exponent or by the digits alone.
  const std::string zeros(330, '0');
  EXPECT_EQ(DecimalPrefix("0." + zeros + "1"), 0.0);
  EXPECT_EQ(DecimalPrefix("1" + zeros + "e-5"), HUGE_VAL);
  EXPECT_EQ(DecimalPrefix("-1" + zeros), -HUGE_VAL);
  EXPECT_TRUE(std::signbit(DecimalPrefix("-0.0")));
  EXPECT_EQ(DecimalPrefix("1e999999999999999999999"), HUGE_VAL);
}

TEST(Tokens, IntegerPrefixSaturates) {
  EXPECT_EQ(IntegerPrefix("  10001"), 10001);
  EXPECT_EQ(IntegerPrefix("-5"), -5);
  EXPECT_EQ(IntegerPrefix("2147483647"), INT_MAX);
  EXPECT_EQ(IntegerPrefix("99999999999999999999"), INT_MAX);
  EXPECT_EQ(IntegerPrefix("-99999999999999999999"), INT_MIN);
  EXPECT_EQ(IntegerPrefix("12abc"), 12);
  EXPECT_EQ(IntegerPrefix("x12"), 0);
}

TEST(TextSource, NormalisesLineEndsAndByteOrderMark) {
  EXPECT_EQ(NormalizeText("\xEF\xBB\xBF"
                          "a\r\nb\rc\r\n"),
            "a\nb\rc\n");
  EXPECT_EQ(NormalizeText("\r"), "\r");
  EXPECT_EQ(NormalizeText("x\xEF\xBB\xBF"), "x\xEF\xBB\xBF");
}

TEST(TextSource, LinesComeWholeWithTheirLineEnds) {
  const std::string longLine(300, '7');
  const auto lines = Lines(longLine + "\nlast");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], longLine + "\n");
  EXPECT_EQ(lines[1], "last");
  // LF, CR LF, a lone CR; carriage returns right before a line feed stay in
  // that line; an empty CR line is a line of its own.
  EXPECT_EQ(Lines("a\nb\r\nc\rd\r\r\ne\r\rf"),
            (std::vector<std::string>{"a\n", "b\r\n", "c\r", "d\r\r\n", "e\r", "\r", "f"}));
  EXPECT_EQ(Lines("\r"), std::vector<std::string>{"\r"});
  // A line ends at an embedded NUL, as a C string does.
  const auto withNul = Lines(std::string("12 3\0 45\nx\n", 11));
  ASSERT_EQ(withNul.size(), 2u);
  EXPECT_EQ(withNul[0], "12 3");
  EXPECT_EQ(Lines(std::string("1\0\r2\n", 5)), (std::vector<std::string>{"1", "2\n"}));
  EXPECT_TRUE(Lines("").empty());
}

// Lines as the rules say, one byte at a time: a line ends after a line feed,
// after carriage returns that a line feed follows (with it), or after a lone
// carriage return; it is cut at its first NUL.
std::vector<std::string> LinesByteByByte(const std::string& text) {
  std::vector<std::string> out;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = begin;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    if (end < text.size() && text[end] == '\r') {
      const std::size_t lf = text.find_first_not_of('\r', end);
      end = lf != std::string::npos && text[lf] == '\n' ? lf : end;
    }
    end = std::min(end + 1, text.size());
    std::string line = text.substr(begin, end - begin);
    out.push_back(line.substr(0, line.find('\0')));
    begin = end;
  }
  return out;
}

// Long runs of printable bytes are skipped a word at a time: control bytes
// anywhere in a word, bytes right around '\r' and bytes above 0x7f must all
// land where the byte-by-byte rules put them.
TEST(Tokens, LinesEndWhereverTheirEndsFallInALongText) {
  std::mt19937 random(31);
  const std::string alphabet("ab9 \n\r\x0c\x0e\x7f\x80\xff", 11);
  const std::string withNul = alphabet + std::string(1, '\0');
  for (int n = 0; n < 20000; ++n) {
    const std::string& bytes = n % 5 == 0 ? withNul : alphabet;
    std::string text;
    const int length = static_cast<int>(random() % 90);
    for (int i = 0; i < length; ++i) {
      // Mostly printable, so that whole words of it occur.
      text += random() % 4 != 0 ? 'x' : bytes[random() % bytes.size()];
    }
    EXPECT_EQ(Lines(text), LinesByteByByte(text)) << n;
  }
}
