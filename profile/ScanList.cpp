#include "profile/ScanList.h"

#include <cstdio>

#include "profile/MeasuredReaders.h"
#include "text/Translate.h"

std::vector<ScanSummary> ListScans(ProfileFormat format, std::string_view bytes, int scans) {
  std::vector<ScanSummary> list;
  for (int scan = 1; scan <= scans; ++scan) {
    ScanSummary summary;
    summary.number = scan;
    try {
      const MeasuredProfile profile = ReadMeasuredProfile(format, bytes, scan);
      summary.points = profile.x.size();
      summary.first = profile.x.front();
      summary.last = profile.x.back();
      summary.xQuantity = profile.xQuantity;
      summary.xUnit = profile.xUnit;
      summary.description = profile.description;
    } catch (const ProfileFormatError& error) {
      summary.error = error.what();
    }
    list.push_back(summary);
  }
  return list;
}

std::string ScanLine(const ScanSummary& scan) {
  if (!scan.error.empty()) return std::to_string(scan.number) + ": " + scan.error;
  char range[96];
  std::snprintf(range, sizeof range, "%g – %g", scan.first, scan.last);
  std::string line = TranslatedFormat(
      QT_TRANSLATE_NOOP("tav", "%1: %2 %3 %4、%5 点"),
      {std::to_string(scan.number), range, scan.xUnit,
       scan.xQuantity == "2theta" ? "2θ" : scan.xQuantity, std::to_string(scan.points)});
  if (!scan.description.empty()) line += " (" + scan.description + ")";
  return line;
}
