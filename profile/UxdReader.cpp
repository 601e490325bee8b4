// Bruker/Siemens UXD: text of _KEY=value lines and data blocks, one a range.
#include <optional>
#include <string>
#include <vector>

#include "profile/MeasuredReaders.h"
#include "profile/MeasurementTime.h"
#include "profile/TextSource.h"
#include "profile/Tokens.h"
#include "profile/XAxis.h"
#include "profile/XmlDocument.h"
#include "text/Translate.h"

namespace {

[[noreturn]] void Fail(const std::string& reason) { throw ProfileFormatError(reason); }

// A _KEY=value line's value, quotes removed.
std::string_view Value(std::string_view line) {
  std::string_view value = line.substr(line.find('=') + 1);
  const std::size_t begin = value.find_first_not_of(" \t");
  value = begin == std::string_view::npos ? std::string_view() : value.substr(begin);
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
  if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'')
    value = value.substr(1, value.size() - 2);
  return value;
}

// The key of a _KEY=value line, or the whole line for a key without value.
std::string_view Key(std::string_view line) { return line.substr(0, line.find('=')); }

// A range's header as read so far.
struct UxdRange {
  std::optional<double> start;  // _START, else _2THETA
  std::optional<double> twoTheta;
  std::optional<double> step;
  std::string drive;

  void Apply(std::string_view key, std::string_view value) {
    if (key == "_START") start = DecimalPrefix(value);
    if (key == "_2THETA") twoTheta = DecimalPrefix(value);
    if (key == "_STEPSIZE") step = DecimalPrefix(value);
    if (key == "_DRIVE") drive = value;
  }
};

bool IsCountsBlock(std::string_view key) { return key == "_COUNTS" || key == "_CPS"; }
bool IsPairsBlock(std::string_view key) { return key == "_2THETACOUNTS" || key == "_2THETACPS"; }

void ApplyFileKey(std::string_view key, std::string_view value, MeasuredProfile& profile) {
  if (key == "_WL1") profile.wavelengths.lambda1 = PositiveNumber(value);
  if (key == "_WL2") profile.wavelengths.lambda2 = PositiveNumber(value);
  if (key == "_WLRATIO") profile.wavelengths.alpha2Ratio = PositiveNumber(value);
  if (key == "_SAMPLE" && !value.empty() && IsUtf8(value)) profile.sample = std::string(value);
  if (key == "_DATEMEASURED") profile.startTime = BrukerTextTimestampSeconds(value);
}

// One data row of the range read: counts (several a row) from the range's
// start by its step, or a pair "2θ counts".
void ApplyRow(std::string_view line, int lineNumber, bool pairs, const UxdRange& range,
              MeasuredProfile& profile) {
  std::vector<double> numbers;
  if (!ParseNumberList(line, numbers) || (pairs && numbers.size() < 2)) {
    Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 行目が数値の行ではありません"),
                          {std::to_string(lineNumber)}));
  }
  if (pairs) {
    profile.x.push_back(numbers[0]);
    profile.y.push_back(numbers[1]);
    return;
  }
  const std::optional<double> start = range.start ? range.start : range.twoTheta;
  if (!start || !range.step)
    Fail(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav", "%1 行目: 範囲に _START (_2THETA) と _STEPSIZE がありません"),
        {std::to_string(lineNumber)}));
  for (const double count : numbers) {
    profile.x.push_back(*start + static_cast<double>(profile.y.size()) * *range.step);
    profile.y.push_back(count);
  }
}

}  // namespace

MeasuredProfile ReadUxd(std::string_view bytes, int scan) {
  const std::string text = NormalizeText(bytes);
  LineReader reader(text);
  std::string_view raw;
  MeasuredProfile profile;
  profile.scans = 0;
  UxdRange range;
  UxdRange chosen;
  bool inData = false;  // in the data block of the range read
  bool pairs = false;
  int lineNumber = 0;
  while (reader.Next(raw)) {
    ++lineNumber;
    const std::string_view line = WithoutLineEnd(raw);
    if (line.starts_with(';')) continue;
    if (line.starts_with('_')) {
      const std::string_view key = Key(line);
      if (IsCountsBlock(key) || IsPairsBlock(key)) {
        ++profile.scans;
        inData = profile.scans == scan;
        pairs = IsPairsBlock(key);
        if (inData) chosen = range;
        range = UxdRange();
        continue;
      }
      inData = false;
      if (line.find('=') == std::string_view::npos) continue;
      range.Apply(key, Value(line));
      if (profile.scans == 0) ApplyFileKey(key, Value(line), profile);
    } else if (inData && line.find_first_not_of(" \t") != std::string_view::npos) {
      ApplyRow(line, lineNumber, pairs, chosen, profile);
    }
  }
  if (profile.scans == 0)
    Fail(Translated(QT_TRANSLATE_NOOP("tav", "_COUNTS や _2THETACOUNTS のデータがありません")));
  profile.scan = CheckedScan(scan, profile.scans);
  if (profile.x.empty()) Fail(Translated(QT_TRANSLATE_NOOP("tav", "データ点がありません")));
  SetScanAxis(chosen.drive, "deg", profile);
  profile.description = chosen.drive;
  return profile;
}
