#include <gtest/gtest.h>

#include <climits>
#include <cmath>
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
