#include "profile/XAxis.h"

#include <cctype>
#include <string>

namespace {

// The axis name in lower case, blanks, dashes and underscores left out.
std::string Folded(std::string_view axis) {
  std::string folded;
  for (const char c : axis) {
    if (c == ' ' || c == '-' || c == '_' || c == '\'' || c == '"') continue;
    folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return folded;
}

bool IsTwoTheta(const std::string& folded) {
  return folded.empty() || folded.starts_with("2theta") || folded.starts_with("twotheta") ||
         folded == "coupled" || folded == "lockedcoupled" || folded == "detector";
}

}  // namespace

void SetScanAxis(std::string_view axis, std::string_view unit, MeasuredProfile& profile) {
  const std::string folded = Folded(axis);
  profile.xQuantity = IsTwoTheta(folded) ? "2theta" : folded;
  profile.xUnit = unit.empty() ? "deg" : std::string(unit);
}
