#include "profile/Tokens.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <string>

namespace {

bool IsSeparator(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == ',';
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view SkipSpace(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  return text.substr(i);
}

// Length of the decimal number at the start of text (0 when there is none),
// and whether it is negative.
struct NumberSpan {
  std::size_t length = 0;
  std::size_t mantissaEnd = 0;
  bool negative = false;
};

NumberSpan ScanNumber(std::string_view text) {
  NumberSpan span;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    span.negative = text[i] == '-';
    ++i;
  }
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return span;
  span.mantissaEnd = i;
  std::size_t j = i;
  if (j < text.size() && (text[j] == 'e' || text[j] == 'E')) {
    ++j;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  span.length = i;
  return span;
}

}  // namespace

std::vector<std::string_view> SplitTokens(std::string_view line, std::size_t maxTokens) {
  std::vector<std::string_view> tokens;
  std::size_t i = 0;
  while (i < line.size() && tokens.size() < maxTokens) {
    while (i < line.size() && IsSeparator(line[i])) ++i;
    if (i >= line.size()) break;
    const std::size_t begin = i;
    while (i < line.size() && !IsSeparator(line[i])) ++i;
    tokens.push_back(line.substr(begin, i - begin));
  }
  return tokens;
}

bool HasDecimalPrefix(std::string_view text) { return ScanNumber(SkipSpace(text)).length > 0; }

double DecimalPrefix(std::string_view text) {
  text = SkipSpace(text);
  const NumberSpan span = ScanNumber(text);
  if (span.length == 0) return 0.0;
  std::string_view number = text.substr(0, span.length);
  if (number.front() == '+') number.remove_prefix(1);
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large or too small for a double: atof gives infinity or zero.
    const std::string_view exponent = text.substr(span.mantissaEnd, span.length - span.mantissaEnd);
    const bool tiny = exponent.find('-') != std::string_view::npos;
    value = tiny ? 0.0 : HUGE_VAL;
    if (span.negative) value = -value;
  }
  return value;
}

int IntegerPrefix(std::string_view text) {
  text = SkipSpace(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

bool ParseNumberList(std::string_view text, std::vector<double>& numbers) {
  numbers.clear();
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSeparator(text[i])) ++i;
    if (i >= text.size()) break;
    const std::size_t begin = i;
    while (i < text.size() && !IsSeparator(text[i])) ++i;
    const std::string_view token = text.substr(begin, i - begin);
    if (ScanNumber(token).length != token.size()) return false;
    const double value = DecimalPrefix(token);
    if (!std::isfinite(value)) return false;
    numbers.push_back(value);
  }
  return true;
}
