#include "profile/ProfileReaders.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "profile/TextSource.h"
#include "profile/Tokens.h"

namespace {

constexpr std::size_t kKeyLength = 17;
constexpr std::size_t kValueColumn = 19;
constexpr std::size_t kValuesPerLine = 4;

// The line with tabs expanded to 8-column stops.
std::string ExpandTabs(std::string_view line) {
  std::string out;
  for (const char c : line) {
    if (c == '\t') {
      do out += ' ';
      while (out.size() % 8 != 0);
    } else {
      out += c;
    }
  }
  return out;
}

bool EndsBlock(std::string_view line) { return line.size() < 2 || line.front() == '*'; }

// A header value that must be a number to count: unset when it is not one.
std::optional<double> OptionalDecimal(std::string_view value) {
  if (!HasDecimalPrefix(value)) return std::nullopt;
  return DecimalPrefix(value);
}

// Applies one header line; returns true when it is the *COUNT line.
bool ApplyHeaderLine(std::string_view rawLine, RigakuProfile& profile) {
  if (rawLine.empty() || rawLine.front() != '*') return false;
  const std::string line = ExpandTabs(rawLine);
  if (line.size() < kKeyLength) return false;
  const std::string_view key = std::string_view(line).substr(0, kKeyLength);
  const std::string_view value =
      line.size() > kValueColumn ? std::string_view(line).substr(kValueColumn) : std::string_view();
  if (key == "*START          =") {
    profile.start = DecimalPrefix(value);
  } else if (key == "*STEP           =") {
    profile.step = DecimalPrefix(value);
  } else if (key == "*STOP           =") {
    profile.stop = DecimalPrefix(value);
  } else if (key == "*WAVE_LENGTH1   =") {
    profile.waveLength1 = OptionalDecimal(value);
  } else if (key == "*WAVE_LENGTH2   =") {
    profile.waveLength2 = OptionalDecimal(value);
  } else if (key == "*GROUP_COUNT    =") {
    profile.groups = std::max(1, IntegerPrefix(value));
  } else if (key == "*COUNT          =") {
    profile.count = IntegerPrefix(value);
    return true;
  }
  return false;
}

}  // namespace

RigakuProfile ReadRigakuProfile(std::string_view text, int group) {
  RigakuProfile profile;
  profile.group = group;
  LineReader reader(text);
  std::string_view line;
  for (int counted = 0; counted < group;) {
    if (!reader.Next(line)) {
      if (counted > 0) profile.count.reset();  // the file lacks that group
      return profile;
    }
    if (!ApplyHeaderLine(line, profile)) continue;
    // Another group's data are skipped up to its end.
    if (++counted < group)
      while (reader.Next(line) && !EndsBlock(line)) {
      }
  }
  std::array<DecimalNumber, kValuesPerLine> numbers;
  while (reader.Next(line) && !EndsBlock(line)) {
    const std::size_t count = ScanTokenNumbers(line, numbers);
    for (std::size_t k = 0; k < count; ++k) profile.values.push_back(numbers[k].value);
  }
  return profile;
}

Wavelengths RigakuWavelengths(const RigakuProfile& profile) {
  Wavelengths wavelengths;
  wavelengths.lambda1 = profile.waveLength1;
  wavelengths.lambda2 = profile.waveLength2;
  return wavelengths;
}

XyProfile ReadXyProfile(std::string_view text, int skipLines, int lastLine) {
  XyProfile profile;
  LineReader reader(text);
  std::string_view line;
  for (int i = 0; i < skipLines && reader.Next(line); ++i) {
  }
  bool everyThird = true;
  std::array<DecimalNumber, 3> numbers;
  const auto isPoint = [&](std::size_t count) {
    return count >= 2 && numbers[0].length > 0 && numbers[1].length > 0;
  };
  while (static_cast<int>(profile.x.size()) < lastLine && reader.Next(line) && line.size() >= 2) {
    const std::size_t count = ScanTokenNumbers(line, numbers);
    if (!isPoint(count)) continue;
    profile.x.push_back(numbers[0].value);
    profile.y.push_back(numbers[1].value);
    everyThird = everyThird && count == 3 && numbers[2].length > 0;
    if (everyThird) profile.third.push_back(numbers[2].value);
  }
  if (!everyThird) profile.third.clear();
  while (static_cast<int>(profile.x.size()) >= lastLine && !profile.stoppedBeforeEnd &&
         reader.Next(line) && line.size() >= 2) {
    profile.stoppedBeforeEnd = isPoint(ScanTokenNumbers(line, numbers));
  }
  return profile;
}

bool HasUncertaintyColumn(std::string_view path) {
  if (path.size() < 4) return false;
  std::string extension(path.substr(path.size() - 4));
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".xye";
}
