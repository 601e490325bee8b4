#include "profile/MeasurementTime.h"

#include <array>
#include <cstdint>
#include <string>

namespace {

struct CivilTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;
  int minute = 0;
  double second = 0.0;
};

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

bool IsValid(const CivilTime& t) {
  return t.year >= 1900 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
         t.day <= DaysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 &&
         t.minute <= 59 && t.second >= 0.0 && t.second < 61.0;
}

// Days from 1970-01-01 to the first of the month: whole years, then months.
std::int64_t DaysSinceEpoch(int year, int month, int day) {
  std::int64_t days = 0;
  for (int y = 1970; y < year; ++y) days += IsLeapYear(y) ? 366 : 365;
  for (int y = year; y < 1970; ++y) days -= IsLeapYear(y) ? 366 : 365;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  return days + day - 1;
}

std::optional<double> SecondsOf(const CivilTime& t, int offsetMinutes) {
  if (!IsValid(t)) return std::nullopt;
  const std::int64_t days = DaysSinceEpoch(t.year, t.month, t.day);
  return static_cast<double>(days * 86400 + t.hour * 3600 + t.minute * 60 - offsetMinutes * 60) +
         t.second;
}

// Reads the text left to right; every Take… moves past what it took.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : m_text(Trimmed(text)) {}

  bool AtEnd() const { return m_at == m_text.size(); }
  bool Take(char c) {
    if (m_at < m_text.size() && m_text[m_at] == c) {
      ++m_at;
      return true;
    }
    return false;
  }
  // Exactly `digits` decimal digits; takes nothing when they are not there.
  bool TakeNumber(int digits, int& value) {
    int number = 0;
    for (int i = 0; i < digits; ++i) {
      const std::size_t at = m_at + static_cast<std::size_t>(i);
      if (at >= m_text.size() || m_text[at] < '0' || m_text[at] > '9') return false;
      number = number * 10 + (m_text[at] - '0');
    }
    m_at += static_cast<std::size_t>(digits);
    value = number;
    return true;
  }
  // Whole seconds in two digits, then optional decimals after '.' or ','.
  bool TakeSeconds(double& seconds) {
    int whole = 0;
    if (!TakeNumber(2, whole)) return false;
    seconds = whole;
    if (!Take('.') && !Take(',')) return true;
    double scale = 0.1;
    const std::size_t first = m_at;
    for (; m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9'; ++m_at) {
      seconds += scale * (m_text[m_at] - '0');
      scale /= 10.0;
    }
    return m_at > first;
  }
  std::string_view TakeText(std::size_t count) {
    const std::string_view part = m_text.substr(m_at, count);
    m_at += part.size();
    return part;
  }

 private:
  static std::string_view Trimmed(std::string_view text) {
    const std::string_view kAround = " \t\r\n\"'";
    const std::size_t first = text.find_first_not_of(kAround);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kAround) - first + 1);
  }

  std::string_view m_text;
  std::size_t m_at = 0;
};

bool TakeClock(Cursor& c, CivilTime& t) {
  return c.TakeNumber(2, t.hour) && c.Take(':') && c.TakeNumber(2, t.minute) && c.Take(':') &&
         c.TakeSeconds(t.second);
}

// "Z", "+HH:MM", "-HHMM" or nothing: the minutes the clock runs ahead of UTC.
bool TakeZone(Cursor& c, int& offsetMinutes) {
  offsetMinutes = 0;
  if (c.AtEnd() || c.Take('Z')) return c.AtEnd();
  int sign = 1;
  if (c.Take('-')) {
    sign = -1;
  } else if (!c.Take('+')) {
    return false;
  }
  int hours = 0;
  int minutes = 0;
  if (!c.TakeNumber(2, hours)) return false;
  c.Take(':');
  if (!c.TakeNumber(2, minutes) || hours > 23 || minutes > 59) return false;
  offsetMinutes = sign * (hours * 60 + minutes);
  return c.AtEnd();
}

int MonthNamed(std::string_view name) {
  static constexpr std::array<std::string_view, 12> kMonths = {
      "jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};
  if (name.size() != 3) return 0;
  std::string lower;
  for (const char ch : name) lower += static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch + 32 : ch);
  for (std::size_t m = 0; m < kMonths.size(); ++m) {
    if (lower == kMonths[m]) return static_cast<int>(m) + 1;
  }
  return 0;
}

}  // namespace

std::optional<double> IsoTimestampSeconds(std::string_view text) {
  Cursor c(text);
  CivilTime t;
  int offset = 0;
  if (!c.TakeNumber(4, t.year) || !c.Take('-') || !c.TakeNumber(2, t.month) || !c.Take('-') ||
      !c.TakeNumber(2, t.day) || !(c.Take('T') || c.Take(' ')) || !TakeClock(c, t) ||
      !TakeZone(c, offset)) {
    return std::nullopt;
  }
  return SecondsOf(t, offset);
}

std::optional<double> UsTimestampSeconds(std::string_view text) {
  Cursor c(text);
  CivilTime t;
  if (!c.TakeNumber(2, t.month) || !c.Take('/') || !c.TakeNumber(2, t.day) || !c.Take('/') ||
      !c.TakeNumber(2, t.year)) {
    return std::nullopt;
  }
  int centuryYear = 0;
  if (c.TakeNumber(2, centuryYear)) {
    t.year = t.year * 100 + centuryYear;
  } else {
    t.year += t.year >= 70 ? 1900 : 2000;
  }
  if (!c.Take(' ') || !TakeClock(c, t) || !c.AtEnd()) return std::nullopt;
  return SecondsOf(t, 0);
}

std::optional<double> BrukerTextTimestampSeconds(std::string_view text) {
  Cursor c(text);
  CivilTime t;
  if (!c.TakeNumber(2, t.day) || !c.Take('-')) return std::nullopt;
  t.month = MonthNamed(c.TakeText(3));
  if (!c.Take('-') || !c.TakeNumber(4, t.year) || !c.Take(' ') || !TakeClock(c, t) || !c.AtEnd()) {
    return std::nullopt;
  }
  return SecondsOf(t, 0);
}
