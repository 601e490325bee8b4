#include "text/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

// The general format of the Windows run-time's _gcvt, which the screen has
// always shown: decimal notation while the decimal exponent lies in
// -1..digits-1, exponent notation (three exponent digits) otherwise; trailing
// zeros of the fraction are dropped, the decimal point is kept
// (100 -> "100.", 0.0125 -> "1.25e-002").

namespace {

constexpr int kDigits = 8;

struct Decimal {
  bool negative = false;
  std::string digits;  // kDigits significant digits, correctly rounded
  int exponent = 0;    // value = d.ddd... x 10^exponent
};

Decimal ToDecimal(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.*e", kDigits - 1, value);
  Decimal d;
  const char* p = text;
  if (*p == '-') {
    d.negative = true;
    ++p;
  }
  for (; *p != 'e'; ++p) {
    if (*p != '.') d.digits += *p;
  }
  d.exponent = std::atoi(p + 1);
  return d;
}

std::string WithoutTrailingZeros(std::string fraction) {
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  return fraction;
}

// The texts below are built by appending to one string: GCC 12 at -O3 warns
// (-Wrestrict) about "literal" + std::string, wrongly.
std::string DecimalNotation(const Decimal& d) {
  std::string text;
  if (d.exponent < 0) {
    text = "0.";
    text += WithoutTrailingZeros(std::string(-d.exponent - 1, '0') + d.digits);
    return text;
  }
  const auto split = static_cast<std::size_t>(d.exponent) + 1;
  text = d.digits.substr(0, split);
  text += '.';
  text += WithoutTrailingZeros(d.digits.substr(split));
  return text;
}

std::string ExponentNotation(const Decimal& d) {
  char exponent[16];
  std::snprintf(exponent, sizeof exponent, "e%c%03d", d.exponent < 0 ? '-' : '+',
                std::abs(d.exponent));
  std::string text = d.digits.substr(0, 1);
  text += '.';
  text += WithoutTrailingZeros(d.digits.substr(1));
  text += exponent;
  return text;
}

}  // namespace

std::string NumberText(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  const Decimal d = ToDecimal(value);
  const bool decimal = d.exponent >= -1 && d.exponent < kDigits;
  std::string text = d.negative ? "-" : "";
  text += decimal ? DecimalNotation(d) : ExponentNotation(d);
  return text;
}
