// GSAS powder data: a title line, then banks, each a BANK line and the rows
// of its data.
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "profile/MeasuredReaders.h"
#include "profile/TextSource.h"
#include "profile/Tokens.h"
#include "text/Translate.h"

namespace {

[[noreturn]] void Fail(const std::string& reason) { throw ProfileFormatError(reason); }

// How a bank's rows hold their points.
enum class GsasRows {
  Std,   // ten fields of 8 columns: a count (2 columns, blank = 1) and an intensity (6)
  Esd,   // five pairs of 8-column fields: intensity and its σ
  Fxy,   // free rows "2θ(centidegrees) intensity"
  Fxye,  // free rows "2θ(centidegrees) intensity σ"
};

// A BANK line: "BANK n nchan nrec BINTYP bcoef1 bcoef2 bcoef3 bcoef4 [TYPE]".
struct GsasBank {
  long long points = 0;
  double start = 0.0;  // CONST: 2θ of the first point, centidegrees
  double step = 0.0;   // CONST: 2θ step, centidegrees
  GsasRows rows = GsasRows::Std;
};

bool IsBankLine(std::string_view line) { return line.starts_with("BANK"); }

GsasBank ParseBank(std::string_view line, int lineNumber) {
  const std::vector<std::string_view> words = SplitTokens(line, 16);
  const auto fail = [&] {
    Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 行目の BANK 行が読めません"),
                          {std::to_string(lineNumber)}));
  };
  if (words.size() < 5) fail();
  const std::string_view binType = words[4];
  if (binType == "RALF" || binType == "SLOG" || binType == "TIME_MAP")
    Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 行目: 飛行時間 (%2) のバンクは読めません"),
                          {std::to_string(lineNumber), std::string(binType)}));
  GsasBank bank;
  bank.points = IntegerPrefix(words[2]);
  const std::string_view type = words.size() > 9 ? words[9] : "STD";
  if (type == "STD") {
    bank.rows = GsasRows::Std;
  } else if (type == "ESD") {
    bank.rows = GsasRows::Esd;
  } else if (type == "FXY") {
    bank.rows = GsasRows::Fxy;
  } else if (type == "FXYE") {
    bank.rows = GsasRows::Fxye;
  } else {
    Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 行目: データの型 %2 は読めません"),
                          {std::to_string(lineNumber), std::string(type)}));
  }
  const bool free = bank.rows == GsasRows::Fxy || bank.rows == GsasRows::Fxye;
  if (binType != "CONST" && binType != "CONS" && !free)
    Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 行目: 刻みの型 %2 は読めません"),
                          {std::to_string(lineNumber), std::string(binType)}));
  if (bank.points <= 0) fail();
  if (words.size() >= 7) {
    bank.start = DecimalPrefix(words[5]);
    bank.step = DecimalPrefix(words[6]);
  }
  if (!free && words.size() < 7) fail();
  return bank;
}

// The number in columns [begin, begin + width) of a fixed-width row, blank
// columns skipped; nothing when the field is blank or beyond the row.
std::optional<double> Field(std::string_view line, std::size_t begin, std::size_t width,
                            int lineNumber) {
  if (begin >= line.size()) return std::nullopt;
  std::string_view field = line.substr(begin, width);
  const std::size_t first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  field.remove_prefix(first);
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  const DecimalNumber number = ScanDecimal(field);
  if (number.length != field.size() || !std::isfinite(number.value))
    Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 行目 %2 桁目が数値ではありません"),
                          {std::to_string(lineNumber), std::to_string(begin + 1)}));
  return number.value;
}

void AddConstPoint(const GsasBank& bank, double y, MeasuredProfile& profile) {
  profile.x.push_back((bank.start + static_cast<double>(profile.x.size()) * bank.step) / 100.0);
  profile.y.push_back(y);
}

void ApplyRow(std::string_view line, int lineNumber, const GsasBank& bank,
              MeasuredProfile& profile) {
  const auto wanted = static_cast<std::size_t>(bank.points);
  if (bank.rows == GsasRows::Std) {
    for (std::size_t f = 0; f < 10 && profile.y.size() < wanted; ++f) {
      const std::optional<double> y = Field(line, f * 8 + 2, 6, lineNumber);
      if (!y) break;
      AddConstPoint(bank, *y, profile);
    }
  } else if (bank.rows == GsasRows::Esd) {
    for (std::size_t f = 0; f < 5 && profile.y.size() < wanted; ++f) {
      const std::optional<double> y = Field(line, f * 16, 8, lineNumber);
      if (!y) break;
      const std::optional<double> e = Field(line, f * 16 + 8, 8, lineNumber);
      AddConstPoint(bank, *y, profile);
      profile.sigma.push_back(e ? *e : std::numeric_limits<double>::quiet_NaN());
    }
  } else {
    std::vector<double> numbers;
    const std::size_t needed = bank.rows == GsasRows::Fxye ? 3 : 2;
    if (!ParseNumberList(line, numbers) || numbers.size() < needed)
      Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 行目が数値の行ではありません"),
                            {std::to_string(lineNumber)}));
    if (profile.y.size() >= wanted) return;
    profile.x.push_back(numbers[0] / 100.0);
    profile.y.push_back(numbers[1]);
    if (needed == 3) profile.sigma.push_back(numbers[2]);
  }
}

}  // namespace

MeasuredProfile ReadGsas(std::string_view bytes, int scan) {
  const std::string text = NormalizeText(bytes);
  LineReader reader(text);
  std::string_view raw;
  MeasuredProfile profile;
  profile.scans = 0;
  GsasBank bank;
  bool inData = false;
  int lineNumber = 0;
  while (reader.Next(raw)) {
    const std::string_view line = WithoutLineEnd(raw);
    if (++lineNumber == 1 || line.starts_with('#')) continue;  // the title, comments
    if (IsBankLine(line)) {
      ++profile.scans;
      inData = profile.scans == scan;
      if (inData) bank = ParseBank(line, lineNumber);
    } else if (inData && line.find_first_not_of(' ') != std::string_view::npos) {
      ApplyRow(line, lineNumber, bank, profile);
    }
  }
  if (profile.scans == 0) Fail(Translated(QT_TRANSLATE_NOOP("tav", "BANK 行がありません")));
  profile.scan = CheckedScan(scan, profile.scans);
  if (profile.x.empty()) Fail(Translated(QT_TRANSLATE_NOOP("tav", "データ点がありません")));
  if (profile.x.size() < static_cast<std::size_t>(bank.points)) profile.announced = bank.points;
  profile.description = bank.rows == GsasRows::Std   ? "STD"
                        : bank.rows == GsasRows::Esd ? "ESD"
                        : bank.rows == GsasRows::Fxy ? "FXY"
                                                     : "FXYE";
  return profile;
}
