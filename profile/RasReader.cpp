// Rigaku RAS: text scans, each a header of *KEY "value" lines and a block of
// intensity rows.
#include <string>
#include <vector>

#include "profile/MeasuredReaders.h"
#include "profile/TextSource.h"
#include "profile/Tokens.h"
#include "profile/XmlDocument.h"
#include "text/Translate.h"

namespace {

[[noreturn]] void Fail(const std::string& reason) { throw ProfileFormatError(reason); }

std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

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

// Whether text is valid UTF-8 (sample names in other encodings are dropped).
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

void ApplyHeaderLine(std::string_view line, MeasuredProfile& profile) {
  if (IsKeyLine(line, "*HW_XG_WAVE_LENGTH_ALPHA1")) {
    profile.wavelengths.lambda1 = PositiveNumber(HeaderValue(line, "*HW_XG_WAVE_LENGTH_ALPHA1"));
  } else if (IsKeyLine(line, "*HW_XG_WAVE_LENGTH_ALPHA2")) {
    profile.wavelengths.lambda2 = PositiveNumber(HeaderValue(line, "*HW_XG_WAVE_LENGTH_ALPHA2"));
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

MeasuredProfile ReadRas(std::string_view bytes) {
  const std::string text = NormalizeText(bytes);
  LineReader reader(text);
  std::string_view raw;
  MeasuredProfile profile;
  profile.scans = 0;
  bool started = false;  // *RAS_DATA_START seen
  bool inData = false;   // between *RAS_INT_START and *RAS_INT_END of the first scan
  bool read = false;     // the first scan's rows are complete
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
      inData = !read;
    } else if (IsKeyLine(line, "*RAS_INT_END")) {
      read = read || inData;
      inData = false;
    } else if (inData) {
      if (!line.empty()) ApplyDataRow(line, lineNumber, profile);
    } else if (!read && line.starts_with('*')) {
      ApplyHeaderLine(line, profile);
    }
  }
  if (!started) Fail(Translated(QT_TRANSLATE_NOOP("tav", "*RAS_DATA_START がありません")));
  if (profile.scans == 0) Fail(Translated(QT_TRANSLATE_NOOP("tav", "*RAS_INT_START がありません")));
  if (!read)
    Fail(Translated(QT_TRANSLATE_NOOP("tav", "データが *RAS_INT_END の前で終わっています")));
  if (profile.x.empty()) Fail(Translated(QT_TRANSLATE_NOOP("tav", "データ点がありません")));
  return profile;
}
