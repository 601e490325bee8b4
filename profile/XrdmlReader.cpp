// PANalytical XRDML: an XML document of measurements, each of scans.
#include <cstddef>
#include <string>
#include <vector>

#include "profile/MeasuredReaders.h"
#include "profile/MeasurementTime.h"
#include "profile/Tokens.h"
#include "profile/XmlDocument.h"
#include "text/Translate.h"

namespace {

[[noreturn]] void Fail(const std::string& reason) { throw ProfileFormatError(reason); }

pugi::xml_node Required(const pugi::xml_node& parent, std::string_view name) {
  const pugi::xml_node child = Child(parent, name);
  if (!child)
    Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "<%1> がありません"), {std::string(name)}));
  return child;
}

// The numbers of a list element; XRDML separates them by blanks, so a comma
// (a decimal comma, most likely) is refused rather than split on.
std::vector<double> Numbers(const pugi::xml_node& element) {
  const std::string text = NumberListText(element);
  if (text.find(',') != std::string::npos) {
    Fail(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav",
                          "<%1> にコンマがあります (数値は空白で区切られ、小数点はピリオドです)"),
        {std::string(LocalName(element))}));
  }
  std::vector<double> numbers;
  if (!ParseNumberList(text, numbers)) {
    Fail(TranslatedFormat(QT_TRANSLATE_NOOP("tav", "<%1> に数値でないものがあります"),
                          {std::string(LocalName(element))}));
  }
  return numbers;
}

Wavelengths UsedWavelengths(const pugi::xml_node& measurement) {
  const pugi::xml_node used = Child(measurement, "usedWavelength");
  Wavelengths w;
  w.lambda1 = PositiveNumber(TrimmedText(Child(used, "kAlpha1")));
  w.lambda2 = PositiveNumber(TrimmedText(Child(used, "kAlpha2")));
  w.alpha2Ratio = PositiveNumber(TrimmedText(Child(used, "ratioKAlpha2KAlpha1")));
  return w;
}

std::optional<std::string> SampleName(const pugi::xml_node& root) {
  std::string name = TrimmedText(Child(Child(root, "sample"), "name"));
  if (name.empty()) return std::nullopt;
  return name;
}

int CountScans(const pugi::xml_node& root) {
  int scans = 0;
  for (const pugi::xml_node& measurement : root.children()) {
    if (LocalName(measurement) != "xrdMeasurement") continue;
    for (const pugi::xml_node& scan : measurement.children()) {
      if (LocalName(scan) == "scan") ++scans;
    }
  }
  return scans;
}

// A scan and the measurement it belongs to.
struct ScanNode {
  pugi::xml_node measurement;
  pugi::xml_node scan;
};

// The scan-th scan of the document (from 1, at most CountScans).
ScanNode NthScan(const pugi::xml_node& root, int scan) {
  int seen = 0;
  for (const pugi::xml_node& measurement : root.children()) {
    if (LocalName(measurement) != "xrdMeasurement") continue;
    for (const pugi::xml_node& node : measurement.children()) {
      if (LocalName(node) == "scan" && ++seen == scan) return {measurement, node};
    }
  }
  return {};
}

// The intensities of the scan's data points, attenuation applied; the
// factors applied go to factors (none without attenuation factors).
std::vector<double> Intensities(const pugi::xml_node& dataPoints, std::vector<double>& applied) {
  pugi::xml_node data = Child(dataPoints, "intensities");
  if (!data) data = Child(dataPoints, "counts");
  if (!data) Fail(Translated(QT_TRANSLATE_NOOP("tav", "<intensities> も <counts> もありません")));
  std::vector<double> y = Numbers(data);
  if (y.empty()) Fail(Translated(QT_TRANSLATE_NOOP("tav", "データ点がありません")));
  const pugi::xml_node attenuation = Child(dataPoints, "beamAttenuationFactors");
  if (attenuation) {
    const std::vector<double> factors = Numbers(attenuation);
    if (factors.size() != y.size())
      Fail(Translated(
          QT_TRANSLATE_NOOP("tav", "<beamAttenuationFactors> の数がデータ点の数と違います")));
    for (std::size_t i = 0; i < y.size(); ++i) y[i] *= factors[i];
    applied = factors;
  }
  return y;
}

// The 2θ of n points: evenly from startPosition to endPosition, or a list.
std::vector<double> TwoThetaPositions(const pugi::xml_node& dataPoints, std::size_t n) {
  pugi::xml_node positions;
  for (const pugi::xml_node& child : dataPoints.children()) {
    if (LocalName(child) == "positions" &&
        std::string_view(child.attribute("axis").value()) == "2Theta") {
      positions = child;
      break;
    }
  }
  if (!positions) Fail(Translated(QT_TRANSLATE_NOOP("tav", "2Theta の <positions> がありません")));
  if (const pugi::xml_node list = Child(positions, "listPositions")) {
    std::vector<double> x = Numbers(list);
    if (x.size() != n)
      Fail(Translated(QT_TRANSLATE_NOOP("tav", "<listPositions> の数がデータ点の数と違います")));
    return x;
  }
  std::vector<double> start = Numbers(Required(positions, "startPosition"));
  std::vector<double> end = Numbers(Required(positions, "endPosition"));
  if (start.size() != 1 || end.size() != 1)
    Fail(Translated(QT_TRANSLATE_NOOP("tav", "2Theta の開始・終了位置が読めません")));
  std::vector<double> x(n);
  for (std::size_t i = 0; i < n; ++i) {
    x[i] = n == 1 ? start[0]
                  : start[0] +
                        (end[0] - start[0]) * static_cast<double>(i) / static_cast<double>(n - 1);
  }
  return x;
}

}  // namespace

MeasuredProfile ReadXrdml(std::string_view bytes, int scan) {
  pugi::xml_document document;
  ParseXml(bytes, document, Translated(QT_TRANSLATE_NOOP("tav", "ファイル")));
  const pugi::xml_node root = document.document_element();
  if (LocalName(root) != "xrdMeasurements")
    Fail(Translated(QT_TRANSLATE_NOOP("tav", "<xrdMeasurements> がありません")));
  Required(Required(root, "xrdMeasurement"), "scan");
  MeasuredProfile profile;
  profile.scans = CountScans(root);
  profile.scan = CheckedScan(scan, profile.scans);
  const ScanNode chosen = NthScan(root, scan);
  const pugi::xml_node dataPoints = Required(chosen.scan, "dataPoints");

  profile.y = Intensities(dataPoints, profile.factors);
  profile.x = TwoThetaPositions(dataPoints, profile.y.size());
  profile.wavelengths = UsedWavelengths(chosen.measurement);
  profile.sample = SampleName(root);
  profile.description = chosen.scan.attribute("scanAxis").value();
  profile.startTime =
      IsoTimestampSeconds(TrimmedText(Child(Child(chosen.scan, "header"), "startTimeStamp")));
  return profile;
}
