#include "profile/Tokens.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace {

bool IsSeparator(char c) {
  // Every separator lies at or below the comma, digits and letters above it.
  if (static_cast<unsigned char>(c) > ',') return false;
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

// The powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPower = 22;
// Integers up to 2^53 convert to double exactly.
constexpr std::uint64_t kMaxExactMantissa = std::uint64_t{1} << 53;
// Below this a mantissa takes another digit without overflowing.
constexpr std::uint64_t kMantissaRoom = 1000000000000000000u;
// Exponents beyond this give zero or infinity for any mantissa a file holds.
constexpr std::int64_t kExponentCap = 1000000000;

// The digits of a decimal number as they were scanned: its value is
// mantissa × 10^scale unless digits were dropped.
struct DecimalDigits {
  std::uint64_t mantissa = 0;
  std::int64_t digits = 0;  // all digits before the exponent
  std::int64_t scale = 0;   // the exponent less the digits after the point
  bool dropped = false;     // digits beyond what the mantissa holds
};

// Reads a run of digits into d; fractional digits lower the scale.
const char* TakeDigits(const char* p, const char* end, bool fractional, DecimalDigits& d) {
  const char* const start = p;
  for (; p < end; ++p) {
    const auto digit = static_cast<unsigned>(static_cast<unsigned char>(*p) - '0');
    if (digit > 9) break;
    if (d.mantissa < kMantissaRoom) {
      d.mantissa = d.mantissa * 10 + digit;
    } else {
      d.dropped = true;
    }
  }
  d.digits += p - start;
  if (fractional) d.scale -= p - start;
  return p;
}

// Reads the digits of an exponent, saturated at kExponentCap.
const char* TakeExponent(const char* p, const char* end, std::int64_t& exponent) {
  for (; p < end && IsDigit(*p); ++p) {
    exponent = std::min(exponent * 10 + (*p - '0'), kExponentCap);
  }
  return p;
}

// The value when mantissa and power of ten are both exact: one rounding, as
// a correctly rounded conversion gives.
std::optional<double> ExactlyRounded(const DecimalDigits& d) {
  if (d.dropped || d.mantissa > kMaxExactMantissa) return std::nullopt;
  if (d.scale < -kMaxExactPower || d.scale > kMaxExactPower) return std::nullopt;
  const auto mantissa = static_cast<double>(d.mantissa);
  return d.scale >= 0 ? mantissa * kExactPowersOfTen[d.scale]
                      : mantissa / kExactPowersOfTen[-d.scale];
}

// The power of ten of the first non-zero digit of a number (its digits and
// scale as scanned); 0 for a number without one.
std::int64_t LeadingPower(std::string_view number, const DecimalDigits& d) {
  std::int64_t position = 0;  // digits from the first one
  for (const char c : number) {
    if (c == '.' || c == '+' || c == '-') continue;
    if (!IsDigit(c)) break;
    if (c != '0') return d.scale + (d.digits - position) - 1;
    ++position;
  }
  return 0;
}

// The correctly rounded value of a number, sign included; beyond the double
// range infinity or zero, as atof gives them.
double Converted(std::string_view number, const DecimalDigits& d, bool negative) {
  if (number.front() == '+') number.remove_prefix(1);
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // The power of ten of the leading digit tells overflow from underflow.
    const bool tiny = LeadingPower(number, d) < 0;
    value = tiny ? 0.0 : HUGE_VAL;
    if (negative) value = -value;
  }
  return value;
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

DecimalNumber ScanDecimal(std::string_view text) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* p = begin;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  DecimalDigits d;
  p = TakeDigits(p, end, false, d);
  if (p < end && *p == '.') p = TakeDigits(p + 1, end, true, d);
  if (d.digits == 0) return {};
  // An exponent counts only with at least one digit.
  if (p + 1 < end && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    const bool negativeExponent = *q == '-';
    if (*q == '+' || *q == '-') ++q;
    if (q < end && IsDigit(*q)) {
      std::int64_t exponent = 0;
      p = TakeExponent(q, end, exponent);
      d.scale += negativeExponent ? -exponent : exponent;
    }
  }
  DecimalNumber number;
  number.length = static_cast<std::size_t>(p - begin);
  const std::optional<double> exact = ExactlyRounded(d);
  const double magnitude = exact ? *exact : 0.0;
  number.value = exact ? (negative ? -magnitude : magnitude)
                       : Converted(text.substr(0, number.length), d, negative);
  return number;
}

std::size_t ScanTokenNumbers(std::string_view line, std::span<DecimalNumber> numbers) {
  std::size_t count = 0;
  std::size_t i = 0;
  while (i < line.size() && count < numbers.size()) {
    while (i < line.size() && IsSeparator(line[i])) ++i;
    if (i >= line.size()) break;
    // A number never holds a separator, so it lies within its token.
    numbers[count] = ScanDecimal(line.substr(i));
    i += numbers[count++].length;
    while (i < line.size() && !IsSeparator(line[i])) ++i;
  }
  return count;
}

bool HasDecimalPrefix(std::string_view text) { return ScanDecimal(SkipSpace(text)).length > 0; }

double DecimalPrefix(std::string_view text) { return ScanDecimal(SkipSpace(text)).value; }

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
    const DecimalNumber number = ScanDecimal(token);
    if (number.length != token.size() || !std::isfinite(number.value)) return false;
    numbers.push_back(number.value);
  }
  return true;
}

bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80           ? 1
                               : (c >> 5) == 0x6  ? 2
                               : (c >> 4) == 0xE  ? 3
                               : (c >> 3) == 0x1E ? 4
                                                  : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}
