#include "profile/ProfileWriters.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace {

// As printf's "%.Nf" in the C locale.
void AppendFixed(std::string& out, double value, int decimals) {
  char buffer[400];  // the widest double in fixed notation needs about 330
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  out.append(buffer, result.ec == std::errc() ? result.ptr : buffer);
}

void AppendPadded(std::string& out, const std::string& text, std::size_t width) {
  if (text.size() < width) out.append(width - text.size(), ' ');
  out += text;
}

// "%8.3f"
void AppendFixedField(std::string& out, double value) {
  std::string text;
  AppendFixed(text, value, 3);
  AppendPadded(out, text, 8);
}

// The intensity as a count: truncated toward zero. Counts beyond the 32-bit
// range are written in full rather than wrapped; a NaN has no count and is
// written as 0.
std::string CountText(double value) {
  if (std::isnan(value)) return "0";
  constexpr double kLimit = 9.0e18;
  double t = std::trunc(value);
  if (t > kLimit) t = kLimit;
  if (t < -kLimit) t = -kLimit;
  return std::to_string(static_cast<std::int64_t>(t));
}

}  // namespace

std::string FormatXyList(const CTavDoc& doc) {
  std::string out = std::to_string(doc.m_nData) + "\n";
  for (int i = 1; i <= doc.m_nData; ++i) {
    AppendFixed(out, doc.m_x[i], 6);
    out += ' ';
    AppendFixed(out, doc.m_y[i], 6);
    out += '\n';
  }
  return out;
}

std::string FormatCountFile(const CTavDoc& doc) {
  std::string out = "\n\n\n\n";
  AppendFixedField(out, doc.m_start);
  AppendFixedField(out, doc.m_step);
  AppendFixedField(out, doc.m_stop);
  AppendPadded(out, "from RINT", 10);
  out += '\n';
  // Ten values per line: when the counter reaches 11 a line feed takes the
  // value's turn and the value follows on the next pass.
  int counter = 0;
  int i = 1;
  while (i <= doc.m_nData) {
    ++counter;
    if (counter == 11) {
      out += '\n';
      counter = 0;
      continue;
    }
    AppendPadded(out, CountText(doc.m_y[i]), 8);
    ++i;
  }
  out += '\n';
  return out;
}
