// Bruker RAW: binary files, little-endian, in four versions told apart by
// their first bytes. Each holds one or more ranges (scans), each a header and
// its intensities; every size and offset is checked against the file first.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "profile/MeasuredReaders.h"
#include "profile/MeasurementTime.h"
#include "profile/Tokens.h"
#include "text/Translate.h"

namespace {

[[noreturn]] void Fail(const std::string& reason) { throw ProfileFormatError(reason); }

[[noreturn]] void FailShortHeader() {
  Fail(Translated(QT_TRANSLATE_NOOP("tav", "ファイルがヘッダーの途中で終わっています")));
}

// Little-endian fields of the file at byte offsets, each checked to lie
// within it.
class RawBytes {
 public:
  explicit RawBytes(std::string_view bytes) : m_bytes(bytes) {}

  std::uint64_t Size() const { return m_bytes.size(); }
  bool Has(std::uint64_t at, std::uint64_t length) const {
    return at <= m_bytes.size() && length <= m_bytes.size() - at;
  }
  std::uint32_t U16(std::uint64_t at) const { return static_cast<std::uint32_t>(Unsigned(at, 2)); }
  std::uint32_t U32(std::uint64_t at) const { return static_cast<std::uint32_t>(Unsigned(at, 4)); }
  float F32(std::uint64_t at) const {
    const auto bits = static_cast<std::uint32_t>(Unsigned(at, 4));
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  // A float32 field as the decimal number it was written as: the shortest
  // decimal that reads back as the same float (4.98, not 4.98000001907).
  double Decimal32(std::uint64_t at) const {
    const float value = F32(at);
    if (!std::isfinite(value)) return value;
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    double decimal = value;
    std::from_chars(text, written.ptr, decimal);
    return decimal;
  }
  double F64(std::uint64_t at) const {
    const std::uint64_t bits = Unsigned(at, 8);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  // A text field of length bytes: up to its first NUL, trailing blanks and
  // line ends removed; empty when it is not UTF-8.
  std::string Text(std::uint64_t at, std::uint64_t length) const {
    if (!Has(at, length)) FailShortHeader();
    std::string_view text = m_bytes.substr(at, length);
    text = text.substr(0, text.find('\0'));
    while (!text.empty() && std::strchr(" \t\r\n", text.back()) != nullptr) text.remove_suffix(1);
    return IsUtf8(text) ? std::string(text) : std::string();
  }
  bool StartsWith(std::uint64_t at, std::string_view magic) const {
    return Has(at, magic.size()) && m_bytes.substr(at, magic.size()) == magic;
  }

 private:
  std::uint64_t Unsigned(std::uint64_t at, int length) const {
    if (!Has(at, length)) FailShortHeader();
    std::uint64_t value = 0;
    for (int i = length - 1; i >= 0; --i) {
      value = value << 8 | static_cast<unsigned char>(m_bytes[at + i]);
    }
    return value;
  }

  std::string_view m_bytes;
};

// One range as its header describes it.
struct RawRange {
  std::uint64_t dataAt = 0;      // offset of the first intensity record
  std::uint64_t steps = 0;       // the points announced
  std::uint64_t recordSize = 4;  // bytes per point, a float32 first
  double start = 0.0;            // 2θ of the first point
  double step = 0.0;
  std::string axis;  // the scan type the header names, when it does
  bool cut = false;  // the file ends within this range's header

  std::uint64_t End() const { return dataAt + steps * recordSize; }
};

// What a RAW file holds: the file's wavelengths and sample and its ranges,
// the last of them cut when the file ends within its header.
struct RawFile {
  Wavelengths wavelengths;
  std::string sample;
  std::optional<double> startTime;
  std::vector<RawRange> ranges;

  void AddCutRange() {
    RawRange range;
    range.cut = true;
    ranges.push_back(range);
  }
};

std::optional<double> Positive(double value) {
  if (std::isfinite(value) && value > 0.0) return value;
  return std::nullopt;
}

std::optional<double> Ratio(double value) {
  if (std::isfinite(value) && value > 0.0 && value <= 1.0) return value;
  return std::nullopt;
}

// Version 1 ("RAW "): each range a 156-byte header, the first also the file's:
// 4 steps (uint32), 12 step and 24 start 2θ (float32), 40 the sample (32
// bytes), 72 and 76 λ1 and λ2 (float32); a further range starts with "RAW "
// again right after the intensities.
constexpr std::uint64_t kV1Header = 156;

RawFile ReadV1(const RawBytes& raw) {
  RawFile file;
  if (!raw.Has(0, kV1Header)) FailShortHeader();
  file.sample = raw.Text(40, 32);
  file.wavelengths.lambda1 = Positive(raw.Decimal32(72));
  file.wavelengths.lambda2 = Positive(raw.Decimal32(76));
  std::uint64_t at = 0;
  while (raw.StartsWith(at, "RAW ")) {
    if (!raw.Has(at, kV1Header)) {
      file.AddCutRange();
      break;
    }
    RawRange range;
    range.steps = raw.U32(at + 4);
    range.step = raw.Decimal32(at + 12);
    range.start = raw.Decimal32(at + 24);
    range.dataAt = at + kV1Header;
    file.ranges.push_back(range);
    at = range.End();
  }
  return file;
}

// Version 2 ("RAW2"): a 256-byte file header with the range count at 4
// (uint16), the sample at 8 (32 bytes), λ1, λ2 and the Kα2/Kα1 ratio at 190,
// 194 and 198 (float32); each range a header of the length its first uint16
// gives, with 2 steps (uint16), 12 step and 16 start 2θ (float32).
constexpr std::uint64_t kV2FileHeader = 256;
constexpr std::uint64_t kV2RangeFields = 20;

RawFile ReadV2(const RawBytes& raw) {
  RawFile file;
  if (!raw.Has(0, kV2FileHeader)) FailShortHeader();
  const std::uint32_t count = raw.U16(4);
  file.sample = raw.Text(8, 32);
  file.wavelengths.lambda1 = Positive(raw.Decimal32(190));
  file.wavelengths.lambda2 = Positive(raw.Decimal32(194));
  file.wavelengths.alpha2Ratio = Ratio(raw.Decimal32(198));
  std::uint64_t at = kV2FileHeader;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (!raw.Has(at, kV2RangeFields)) {
      file.AddCutRange();
      break;
    }
    const std::uint32_t headerLength = raw.U16(at);
    if (headerLength < kV2RangeFields)
      Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "範囲 %1 のヘッダーの長さ %2 が短すぎます"),
                            {std::to_string(i + 1), std::to_string(headerLength)}));
    RawRange range;
    range.steps = raw.U16(at + 2);
    range.step = raw.Decimal32(at + 12);
    range.start = raw.Decimal32(at + 16);
    range.dataAt = at + headerLength;
    file.ranges.push_back(range);
    at = range.End();
  }
  return file;
}

// Version 3 ("RAW1.01"): a 712-byte file header with the date at 16
// ("MM/DD/YY") and the time at 26 ("HH:MM:SS"), the range count at 12
// (uint32), the sample at 326 (60 bytes), λ1, λ2 and the ratio at 624, 632
// and 648 (float64); each range a header whose length is its first uint32
// (304), with 4 steps (uint32), 16 start 2θ and 176 step (float64) and 256
// the length of a supplementary header after it (uint32).
constexpr std::uint64_t kV3FileHeader = 712;
constexpr std::uint64_t kV3RangeHeader = 304;

RawFile ReadV3(const RawBytes& raw) {
  RawFile file;
  if (!raw.Has(0, kV3FileHeader)) FailShortHeader();
  const std::uint32_t count = raw.U32(12);
  file.sample = raw.Text(326, 60);
  file.startTime = UsTimestampSeconds(raw.Text(16, 8) + " " + raw.Text(26, 8));
  file.wavelengths.lambda1 = Positive(raw.F64(624));
  file.wavelengths.lambda2 = Positive(raw.F64(632));
  file.wavelengths.alpha2Ratio = Ratio(raw.F64(648));
  std::uint64_t at = kV3FileHeader;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (!raw.Has(at, kV3RangeHeader)) {
      file.AddCutRange();
      break;
    }
    const std::uint32_t headerLength = raw.U32(at);
    if (headerLength < kV3RangeHeader)
      Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "範囲 %1 のヘッダーの長さ %2 が短すぎます"),
                            {std::to_string(i + 1), std::to_string(headerLength)}));
    RawRange range;
    range.steps = raw.U32(at + 4);
    range.start = raw.F64(at + 16);
    range.step = raw.F64(at + 176);
    range.dataAt = at + headerLength + raw.U32(at + 256);
    file.ranges.push_back(range);
    at = range.End();
  }
  return file;
}

// Version 4 ("RAW4.00"): a 61-byte file header with the date at 12
// ("MM/DD/YYYY") and the time at 24 ("HH:MM:SS"), whose uint32 at 56 is the
// length of the records after it; each record a uint32 type and a uint32
// length (the whole record's). Type 10 holds a key (24 bytes at 12) and its
// text (from 36), SAMPLEID the sample; type 30 λ1, λ2 and the ratio at 80, 88
// and 104 (float64). The ranges follow to the end of the file, each a 160-byte
// header with 4 steps (uint32), 32 the scan type (24 bytes), 72 start 2θ and
// 80 step (float64), 136 the bytes of a data record (4: a float32; 8: a
// float32 and a 4-byte flag) and 140 the length of the records between the
// header and the data (uint32).
constexpr std::uint64_t kV4FileHeader = 61;
constexpr std::uint64_t kV4RangeHeader = 160;
constexpr std::uint64_t kV4Record = 8;

void ReadV4Record(const RawBytes& raw, std::uint64_t at, std::uint64_t length, RawFile& file) {
  const std::uint32_t type = raw.U32(at);
  if (type == 10 && length >= 36 && raw.Text(at + 12, 24) == "SAMPLEID") {
    file.sample = raw.Text(at + 36, length - 36);
  } else if (type == 30 && length >= 112) {
    file.wavelengths.lambda1 = Positive(raw.F64(at + 80));
    file.wavelengths.lambda2 = Positive(raw.F64(at + 88));
    file.wavelengths.alpha2Ratio = Ratio(raw.F64(at + 104));
  }
}

RawFile ReadV4(const RawBytes& raw) {
  RawFile file;
  if (!raw.Has(0, kV4FileHeader)) FailShortHeader();
  file.startTime = UsTimestampSeconds(raw.Text(12, 10) + " " + raw.Text(24, 8));
  const std::uint64_t recordsEnd = kV4FileHeader + raw.U32(56);
  if (!raw.Has(0, recordsEnd)) FailShortHeader();
  for (std::uint64_t at = kV4FileHeader; at < recordsEnd;) {
    const std::uint64_t length = raw.Has(at, kV4Record) ? raw.U32(at + 4) : 0;
    if (length < kV4Record || length > recordsEnd - at)
      Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 バイト目のレコードの長さが不正です"),
                            {std::to_string(at)}));
    ReadV4Record(raw, at, length, file);
    at += length;
  }
  for (std::uint64_t at = recordsEnd; at < raw.Size();) {
    if (!raw.Has(at, kV4RangeHeader)) {
      file.AddCutRange();
      break;
    }
    RawRange range;
    range.steps = raw.U32(at + 4);
    range.axis = raw.Text(at + 32, 24);
    range.start = raw.F64(at + 72);
    range.step = raw.F64(at + 80);
    range.recordSize = raw.U32(at + 136);
    if (range.recordSize != 4 && range.recordSize != 8)
      Fail(TranslatedFormat(
          QT_TRANSLATE_NOOP("tav", "範囲 %1 のデータの大きさ %2 バイトは読めません"),
          {std::to_string(file.ranges.size() + 1), std::to_string(range.recordSize)}));
    range.dataAt = at + kV4RangeHeader + raw.U32(at + 140);
    file.ranges.push_back(range);
    at = range.End();
  }
  return file;
}

RawFile ReadRawFile(const RawBytes& raw) {
  if (raw.StartsWith(0, "RAW4.00")) return ReadV4(raw);
  if (raw.StartsWith(0, "RAW1.01")) return ReadV3(raw);
  if (raw.StartsWith(0, "RAW2")) return ReadV2(raw);
  if (raw.StartsWith(0, "RAW ")) return ReadV1(raw);
  Fail(Translated(QT_TRANSLATE_NOOP("tav", "Bruker RAW の先頭のバイトがありません")));
}

// The points of a range that the file holds whole.
void ReadPoints(const RawBytes& raw, const RawRange& range, MeasuredProfile& profile) {
  const std::uint64_t available =
      raw.Has(range.dataAt, 0) ? (raw.Size() - range.dataAt) / range.recordSize : 0;
  const std::uint64_t n = std::min(range.steps, available);
  if (n < range.steps) profile.announced = range.steps;
  profile.x.reserve(n);
  profile.y.reserve(n);
  for (std::uint64_t i = 0; i < n; ++i) {
    profile.x.push_back(range.start + static_cast<double>(i) * range.step);
    profile.y.push_back(raw.F32(range.dataAt + i * range.recordSize));
  }
}

}  // namespace

MeasuredProfile ReadRaw(std::string_view bytes, int scan) {
  const RawBytes raw(bytes);
  const RawFile file = ReadRawFile(raw);
  if (file.ranges.empty()) Fail(Translated(QT_TRANSLATE_NOOP("tav", "範囲がありません")));
  MeasuredProfile profile;
  profile.scans = static_cast<int>(file.ranges.size());
  profile.scan = CheckedScan(scan, profile.scans);
  const RawRange& range = file.ranges[static_cast<std::size_t>(scan - 1)];
  if (range.cut)
    Fail(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav", "ファイルが範囲 %1 のヘッダーの途中で終わっています"),
        {std::to_string(scan)}));
  ReadPoints(raw, range, profile);
  profile.wavelengths = file.wavelengths;
  if (!file.sample.empty()) profile.sample = file.sample;
  profile.startTime = file.startTime;
  profile.description = range.axis;
  return profile;
}
