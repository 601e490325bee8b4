#include "profile/ProfileWriters.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>
#include <utility>

#include "text/Translate.h"

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

// A value right-aligned in a field of 8 characters; a value that fills the
// field or needs more gets one blank before it, so that values never touch.
void AppendNumberField(std::string& out, const std::string& text) {
  constexpr std::size_t kWidth = 8;
  if (text.size() >= kWidth) out += ' ';
  AppendPadded(out, text, kWidth);
}

// "%8.3f", with a blank before a value of 8 characters or more.
void AppendFixedField(std::string& out, double value) {
  std::string text;
  AppendFixed(text, value, 3);
  AppendNumberField(out, text);
}

std::string PointName(int i) {
  return TranslatedFormat(QT_TRANSLATE_NOOP("tav", "点 %1 の"), {std::to_string(i)});
}

// The intensity as a count: truncated toward zero. Counts beyond the 32-bit
// range are written in full rather than wrapped; a NaN has no count and is
// written as 0 (the save command refuses such a profile, see
// CountFileUnwritable).
std::string CountText(double value) {
  if (std::isnan(value)) return "0";
  constexpr double kLimit = 9.0e18;
  double t = std::trunc(value);
  if (t > kLimit) t = kLimit;
  if (t < -kLimit) t = -kLimit;
  return std::to_string(static_cast<std::int64_t>(t));
}

}  // namespace

std::string XValueName() { return Translated(QT_TRANSLATE_NOOP("tav", " X ")); }

std::string NotFiniteMessage(const std::string& what, double value) {
  if (std::isfinite(value)) return {};
  const char* text = std::isnan(value) ? "nan" : value > 0 ? "inf" : "-inf";
  return TranslatedFormat(
      QT_TRANSLATE_NOOP("tav", "保存できません: %1が有限の数ではありません (%2)"), {what, text});
}

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
    AppendNumberField(out, CountText(doc.m_y[i]));
    ++i;
  }
  out += '\n';
  return out;
}

std::string XyListUnwritable(const CTavDoc& doc) {
  for (int i = 1; i <= doc.m_nData; ++i) {
    if (std::isfinite(doc.m_x[i]) && std::isfinite(doc.m_y[i])) continue;
    std::string message = NotFiniteMessage(PointName(i) + XValueName(), doc.m_x[i]);
    return message.empty()
               ? NotFiniteMessage(PointName(i) + Translated(QT_TRANSLATE_NOOP("tav", "強度")),
                                  doc.m_y[i])
               : message;
  }
  return {};
}

std::string CountFileUnwritable(const CTavDoc& doc) {
  const std::pair<const char*, double> header[] = {
      {QT_TRANSLATE_NOOP("tav", "開始値"), doc.m_start},
      {QT_TRANSLATE_NOOP("tav", "ステップ"), doc.m_step},
      {QT_TRANSLATE_NOOP("tav", "終了値"), doc.m_stop}};
  for (const auto& [name, value] : header) {
    if (std::string message = NotFiniteMessage(Translated(name), value); !message.empty())
      return message;
  }
  for (int i = 1; i <= doc.m_nData; ++i) {
    if (!std::isfinite(doc.m_y[i]))
      return NotFiniteMessage(PointName(i) + Translated(QT_TRANSLATE_NOOP("tav", "強度")),
                              doc.m_y[i]);
  }
  return {};
}
