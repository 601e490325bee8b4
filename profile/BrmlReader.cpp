// Bruker BRML: a zip archive of XML files; the data container names the raw
// data files, each of which holds its points as <Datum> rows.
#include <algorithm>
#include <string>
#include <vector>

#include "profile/MeasuredReaders.h"
#include "profile/MeasurementTime.h"
#include "profile/Tokens.h"
#include "profile/XmlDocument.h"
#include "profile/ZipArchive.h"
#include "text/Translate.h"

namespace {

constexpr const char* kContainerMember = "Experiment0/DataContainer.xml";
constexpr const char* kDefaultRawData = "Experiment0/RawData0.xml";
// X is the third field of a row "time,?,2θ,θ,counts".
constexpr std::size_t kTwoThetaField = 2;

[[noreturn]] void Fail(const std::string& reason) { throw ProfileFormatError(reason); }

// The value attribute of the first element of that name, as a wavelength.
std::optional<double> ValueOf(const pugi::xml_node& root, std::string_view name) {
  return PositiveNumber(Descendant(root, name).attribute("Value").value());
}

std::optional<std::string> NonEmpty(std::string text) {
  if (text.empty()) return std::nullopt;
  return text;
}

// What the data container says: the raw data files it references and the
// sample's name.
struct Container {
  std::vector<std::string> rawData;
  std::optional<std::string> sample;
};

Container ReadContainer(const ZipArchive& archive) {
  Container container;
  if (!archive.Has(kContainerMember)) {
    container.rawData.push_back(kDefaultRawData);
    return container;
  }
  pugi::xml_document document;
  ParseXml(archive.Read(kContainerMember, kMaxDocumentBytes), document, kContainerMember);
  const pugi::xml_node root = document.document_element();
  for (const pugi::xml_node& entry : Child(root, "RawDataReferenceList").children()) {
    std::string name = TrimmedText(entry);
    // Names written on Windows may use backslashes.
    std::replace(name.begin(), name.end(), '\\', '/');
    if (!name.empty()) container.rawData.push_back(name);
  }
  if (container.rawData.empty())
    Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 が生データを指していません"),
                          {kContainerMember}));
  container.sample = NonEmpty(Child(root, "MeasurementInfo").attribute("SampleName").value());
  return container;
}

// The fields of a row; every row has as many as the route's first
// (fieldCount, set by that row), and at least 2θ and a count after it.
std::vector<double> DatumFields(const pugi::xml_node& datum, std::size_t& fieldCount) {
  std::vector<double> fields;
  if (!ParseNumberList(NumberListText(datum), fields)) {
    Fail(
        Translated(QT_TRANSLATE_NOOP("tav", "<Datum> の行が \"時間,?,2θ,θ,強度\" ではありません")));
  }
  if (fields.size() <= kTwoThetaField + 1) {
    Fail(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav", "<Datum> の行の値が %1 個しかなく、2θ と強度が揃いません"),
        {std::to_string(fields.size())}));
  }
  if (fieldCount == 0) fieldCount = fields.size();
  if (fields.size() != fieldCount) {
    Fail(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav", "<Datum> の行の値の数が最初の行 (%1 個) と違います (%2 個)"),
        {std::to_string(fieldCount), std::to_string(fields.size())}));
  }
  return fields;
}

// The rows of the first data route that has any: X from the 2θ field, Y from
// the last.
void ReadData(const pugi::xml_node& root, MeasuredProfile& profile) {
  for (const pugi::xml_node& route : Child(root, "DataRoutes").children()) {
    if (LocalName(route) != "DataRoute") continue;
    std::size_t fieldCount = 0;
    for (const pugi::xml_node& datum : route.children()) {
      if (LocalName(datum) != "Datum") continue;
      const std::vector<double> fields = DatumFields(datum, fieldCount);
      profile.x.push_back(fields[kTwoThetaField]);
      profile.y.push_back(fields.back());
    }
    if (!profile.x.empty()) return;
  }
  Fail(Translated(QT_TRANSLATE_NOOP("tav", "<Datum> がありません")));
}

}  // namespace

MeasuredProfile ReadBrml(std::string_view bytes, int scan) {
  CheckedScan(scan, 1);
  const ZipArchive archive(bytes);
  const Container container = ReadContainer(archive);
  const std::string& rawData = container.rawData.front();
  pugi::xml_document document;
  ParseXml(archive.Read(rawData, kMaxDocumentBytes), document, rawData);
  const pugi::xml_node root = document.document_element();

  MeasuredProfile profile;
  ReadData(root, profile);
  profile.wavelengths.lambda1 = ValueOf(root, "WaveLengthAlpha1");
  profile.wavelengths.lambda2 = ValueOf(root, "WaveLengthAlpha2");
  profile.wavelengths.alpha2Ratio = ValueOf(root, "WaveLengthRatio");
  profile.sample = container.sample;
  if (!profile.sample) {
    const pugi::xml_node item = root.find_node([](const pugi::xml_node& node) {
      return LocalName(node) == "InfoItem" &&
             std::string_view(node.attribute("Name").value()) == "SampleName";
    });
    profile.sample = NonEmpty(item.attribute("Value").value());
  }
  profile.scans = static_cast<int>(container.rawData.size());
  profile.startTime = IsoTimestampSeconds(TrimmedText(Descendant(root, "TimeStampStarted")));
  return profile;
}
