// CHI (Fit2D, area-detector integration): four header lines, then rows X Y.
#include <cctype>
#include <string>
#include <vector>

#include "profile/MeasuredReaders.h"
#include "profile/TextSource.h"
#include "profile/Tokens.h"
#include "text/Translate.h"

namespace {

[[noreturn]] void Fail(const std::string& reason) { throw ProfileFormatError(reason); }

std::string Lower(std::string_view text) {
  std::string lower;
  for (const char c : text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// X is 2θ in degrees when its label speaks of theta, Q when the label starts
// with Q (per nanometre when it says nm, else per ångström), else the
// label's own quantity without a unit.
void SetXFromLabel(std::string_view label, MeasuredProfile& profile) {
  const std::string lower = Lower(label);
  const std::size_t begin = lower.find_first_not_of(" \t");
  const std::string_view trimmed =
      begin == std::string::npos ? std::string_view() : std::string_view(lower).substr(begin);
  if (lower.find("theta") != std::string::npos) return;  // 2θ in degrees
  if (trimmed.starts_with('q')) {
    profile.xQuantity = std::string(1, 'q');  // not = "q": a false -Wrestrict of GCC 12 at -O3
    profile.xUnit = lower.find("nm") != std::string::npos ? "1/nm" : "1/angstrom";
    return;
  }
  profile.xQuantity = trimmed.empty() ? "unknown" : std::string(trimmed);
  profile.xUnit = "";
}

}  // namespace

MeasuredProfile ReadChi(std::string_view bytes, int scan) {
  CheckedScan(scan, 1);
  const std::string text = NormalizeText(bytes);
  LineReader reader(text);
  std::string_view raw;
  std::vector<std::string_view> header;
  while (header.size() < 4 && reader.Next(raw)) header.push_back(WithoutLineEnd(raw));
  if (header.size() < 4) Fail(Translated(QT_TRANSLATE_NOOP("tav", "4 行のヘッダーがありません")));
  const int count = IntegerPrefix(header[3]);
  if (count <= 0) Fail(Translated(QT_TRANSLATE_NOOP("tav", "4 行目に点の数がありません")));
  MeasuredProfile profile;
  SetXFromLabel(header[1], profile);
  int lineNumber = 4;
  std::vector<double> numbers;
  while (reader.Next(raw) && profile.x.size() < static_cast<std::size_t>(count)) {
    ++lineNumber;
    const std::string_view line = WithoutLineEnd(raw);
    if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
    if (!ParseNumberList(line, numbers) || numbers.size() < 2)
      Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 行目が \"X Y\" の行ではありません"),
                            {std::to_string(lineNumber)}));
    profile.x.push_back(numbers[0]);
    profile.y.push_back(numbers[1]);
  }
  if (profile.x.empty()) Fail(Translated(QT_TRANSLATE_NOOP("tav", "データ点がありません")));
  if (profile.x.size() < static_cast<std::size_t>(count)) profile.announced = count;
  return profile;
}
