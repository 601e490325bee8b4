// Rigaku RAS: text scans, each a header of *KEY "value" lines and a block of
// intensity rows.
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
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

bool IsKeyLine(std::string_view line, std::string_view key) {
  return line.starts_with(key) &&
         (line.size() == key.size() || line[key.size()] == ' ' || line[key.size()] == '\t');
}

// The value of a header line *KEY "value": the text between the quotes (or
// after the key when it has none).
std::string_view HeaderValue(std::string_view line, std::string_view key) {
  std::string_view value = line.substr(key.size());
  const std::size_t begin = value.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  value.remove_prefix(begin);
  if (value.front() == '"') {
    value.remove_prefix(1);
    const std::size_t close = value.find('"');
    if (close != std::string_view::npos) value = value.substr(0, close);
  }
  return value;
}

// What a scan's header says of its axis and the goniometer's other angles.
struct RasScanHeader {
  std::string axis;
  std::string unit;
  std::vector<std::string> axisNames;  // *MEAS_COND_AXIS_NAME-k at k - 1
  std::vector<std::pair<int, std::string>> positions;

  // "Phi; Chi 10, Omega 16.1": the scan axis, then the position of each
  // goniometer angle that is not scanned.
  std::string Description() const {
    std::string text = axis;
    const char* separator = "; ";
    for (const auto& [k, position] : positions) {
      if (k < 1 || static_cast<std::size_t>(k) > axisNames.size()) continue;
      const std::string& name = axisNames[static_cast<std::size_t>(k - 1)];
      if (name == axis || !IsGoniometerAngle(name) || !HasDecimalPrefix(position)) continue;
      char value[32];
      std::snprintf(value, sizeof value, "%g", DecimalPrefix(position));
      text += separator + name + " " + value;
      separator = ", ";
    }
    return text;
  }

  static bool IsGoniometerAngle(const std::string& name) {
    return name == "2-Theta" || name == "Omega" || name == "Chi" || name == "Phi";
  }

  void Apply(std::string_view line) {
    if (IsKeyLine(line, "*MEAS_SCAN_AXIS_X")) {
      axis = HeaderValue(line, "*MEAS_SCAN_AXIS_X");
    } else if (IsKeyLine(line, "*MEAS_SCAN_UNIT_X")) {
      unit = HeaderValue(line, "*MEAS_SCAN_UNIT_X");
    } else if (const auto k = AxisIndex(line, "*MEAS_COND_AXIS_NAME-")) {
      if (axisNames.size() < *k) axisNames.resize(*k);
      axisNames[*k - 1] = HeaderValue(line, line.substr(0, line.find_first_of(" \t")));
    } else if (const auto k = AxisIndex(line, "*MEAS_COND_AXIS_POSITION-")) {
      positions.emplace_back(static_cast<int>(*k),
                             HeaderValue(line, line.substr(0, line.find_first_of(" \t"))));
    }
  }

  // k of a line "*KEY-k value" (1..100), or nothing for another line.
  static std::optional<std::size_t> AxisIndex(std::string_view line, std::string_view key) {
    if (!line.starts_with(key)) return std::nullopt;
    const int k = IntegerPrefix(line.substr(key.size()));
    if (k < 1 || k > 100) return std::nullopt;
    return static_cast<std::size_t>(k);
  }
};

void ApplyHeaderLine(std::string_view line, MeasuredProfile& profile, RasScanHeader& header) {
  header.Apply(line);
  if (IsKeyLine(line, "*HW_XG_WAVE_LENGTH_ALPHA1")) {
    profile.wavelengths.lambda1 = PositiveNumber(HeaderValue(line, "*HW_XG_WAVE_LENGTH_ALPHA1"));
  } else if (IsKeyLine(line, "*HW_XG_WAVE_LENGTH_ALPHA2")) {
    profile.wavelengths.lambda2 = PositiveNumber(HeaderValue(line, "*HW_XG_WAVE_LENGTH_ALPHA2"));
  } else if (IsKeyLine(line, "*MEAS_SCAN_START_TIME")) {
    profile.startTime = UsTimestampSeconds(HeaderValue(line, "*MEAS_SCAN_START_TIME"));
  } else if (IsKeyLine(line, "*FILE_SAMPLE")) {
    const std::string_view name = HeaderValue(line, "*FILE_SAMPLE");
    if (!name.empty() && IsUtf8(name)) profile.sample = std::string(name);
  }
}

// One intensity row: 2θ, counts and the attenuation factor (1 when absent).
void ApplyDataRow(std::string_view line, int lineNumber, MeasuredProfile& profile) {
  std::vector<double> numbers;
  if (!ParseNumberList(line, numbers) || numbers.size() < 2) {
    Fail(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav", "%1 行目が \"2θ 強度 減衰率\" の行ではありません"),
        {std::to_string(lineNumber)}));
  }
  profile.x.push_back(numbers[0]);
  profile.y.push_back(numbers.size() > 2 ? numbers[1] * numbers[2] : numbers[1]);
  profile.factors.push_back(numbers.size() > 2 ? numbers[2] : 1.0);
}

}  // namespace

MeasuredProfile ReadRas(std::string_view bytes, int scan) {
  const std::string text = NormalizeText(bytes);
  LineReader reader(text);
  std::string_view raw;
  MeasuredProfile profile;
  RasScanHeader header;
  profile.scans = 0;
  bool started = false;  // *RAS_DATA_START seen
  bool inData = false;   // between *RAS_INT_START and *RAS_INT_END of the scan read
  bool read = false;     // the rows of the scan read are complete
  int lineNumber = 0;
  while (reader.Next(raw)) {
    ++lineNumber;
    const std::string_view line = WithoutLineEnd(raw);
    if (IsKeyLine(line, "*RAS_DATA_START")) started = true;
    if (!started) continue;
    if (IsKeyLine(line, "*RAS_INT_START")) {
      if (inData)
        Fail(TranslatedFormat(
            QT_TRANSLATE_NOOP("tav", "%1 行目: *RAS_INT_END の前に次のスキャンがあります"),
            {std::to_string(lineNumber)}));
      ++profile.scans;
      inData = profile.scans == scan;
    } else if (IsKeyLine(line, "*RAS_INT_END")) {
      read = read || inData;
      inData = false;
    } else if (inData) {
      if (!line.empty()) ApplyDataRow(line, lineNumber, profile);
    } else if (!read && profile.scans == scan - 1 && line.starts_with('*')) {
      ApplyHeaderLine(line, profile, header);
    }
  }
  if (!started) Fail(Translated(QT_TRANSLATE_NOOP("tav", "*RAS_DATA_START がありません")));
  if (profile.scans == 0) Fail(Translated(QT_TRANSLATE_NOOP("tav", "*RAS_INT_START がありません")));
  profile.scan = CheckedScan(scan, profile.scans);
  if (!read)
    Fail(Translated(QT_TRANSLATE_NOOP("tav", "データが *RAS_INT_END の前で終わっています")));
  if (profile.x.empty()) Fail(Translated(QT_TRANSLATE_NOOP("tav", "データ点がありません")));
  SetScanAxis(header.axis, header.unit, profile);
  profile.description = header.Description();
  return profile;
}
