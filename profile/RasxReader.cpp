// Rigaku RASX: a zip archive holding the profile as text and the measurement
// conditions as XML.
#include <string>
#include <vector>

#include "profile/MeasuredReaders.h"
#include "profile/MeasurementTime.h"
#include "profile/TextSource.h"
#include "profile/Tokens.h"
#include "profile/XmlDocument.h"
#include "profile/ZipArchive.h"
#include "text/Translate.h"

namespace {

constexpr const char* kProfileMember = "Data0/Profile0.txt";
constexpr const char* kConditionsMember = "Data0/MesurementConditions0.xml";

[[noreturn]] void Fail(const std::string& reason) { throw ProfileFormatError(reason); }

// Rows "2θ counts attenuation" (attenuation 1 when absent); empty lines are
// passed over.
void ReadProfileRows(const std::string& text, MeasuredProfile& profile) {
  LineReader reader(text);
  std::string_view line;
  std::vector<double> numbers;
  for (int lineNumber = 1; reader.Next(line); ++lineNumber) {
    if (line.find_first_not_of(" \t\r\n") == std::string_view::npos) continue;
    if (!ParseNumberList(line, numbers) || numbers.size() < 2) {
      Fail(TranslatedFormat(
          QT_TRANSLATE_NOOP("tav", "%1 の %2 行目が \"2θ 強度 減衰率\" の行ではありません"),
          {kProfileMember, std::to_string(lineNumber)}));
    }
    profile.x.push_back(numbers[0]);
    profile.y.push_back(numbers.size() > 2 ? numbers[1] * numbers[2] : numbers[1]);
    profile.factors.push_back(numbers.size() > 2 ? numbers[2] : 1.0);
  }
  if (profile.x.empty())
    Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 にデータ点がありません"), {kProfileMember}));
}

void ReadConditions(const ZipArchive& archive, MeasuredProfile& profile) {
  if (!archive.Has(kConditionsMember)) return;
  pugi::xml_document document;
  ParseXml(archive.Read(kConditionsMember, kMaxDocumentBytes), document, kConditionsMember);
  const pugi::xml_node root = document.document_element();
  profile.wavelengths.lambda1 = PositiveNumber(TrimmedText(Descendant(root, "WavelengthKalpha1")));
  profile.wavelengths.lambda2 = PositiveNumber(TrimmedText(Descendant(root, "WavelengthKalpha2")));
  std::string sample = TrimmedText(Descendant(root, "SampleName"));
  if (!sample.empty()) profile.sample = std::move(sample);
  profile.startTime = IsoTimestampSeconds(TrimmedText(Descendant(root, "StartTime")));
}

// Scans are stored as DataN/ProfileN.txt.
int CountScans(const ZipArchive& archive) {
  int scans = 0;
  for (const std::string& name : archive.Names()) {
    if (name.starts_with("Data") && name.find("/Profile") != std::string::npos &&
        name.ends_with(".txt")) {
      ++scans;
    }
  }
  return scans;
}

}  // namespace

MeasuredProfile ReadRasx(std::string_view bytes, int scan) {
  CheckedScan(scan, 1);
  const ZipArchive archive(bytes);
  if (!archive.Has(kProfileMember))
    Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "アーカイブに %1 がありません"),
                          {kProfileMember}));
  MeasuredProfile profile;
  ReadProfileRows(NormalizeText(archive.Read(kProfileMember, kMaxDocumentBytes)), profile);
  ReadConditions(archive, profile);
  profile.scans = CountScans(archive);
  return profile;
}
