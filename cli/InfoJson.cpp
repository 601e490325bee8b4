#include "cli/InfoJson.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <sstream>

#include "profile/TavDoc.h"
#include "text/JsonText.h"

namespace {

// As "state" prints them: %.17g, a value that is not finite as a string.
std::string Number(const std::optional<double>& v) {
  if (!v) return "null";
  if (std::isnan(*v)) return "\"nan\"";
  if (std::isinf(*v)) return *v > 0 ? "\"inf\"" : "\"-inf\"";
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", *v);
  return text;
}

}  // namespace

std::string InfoJson(const CTavDoc& doc) {
  std::ostringstream s;
  s << "{\"format\": " << (doc.m_format ? JsonQuoted(FormatName(*doc.m_format)) : "null")
    << ", \"path\": " << (doc.m_format ? JsonQuoted(doc.m_path) : "null")
    << ", \"points\": " << doc.m_nData << ", \"wavelength1\": " << Number(doc.m_wavelengths.lambda1)
    << ", \"wavelength2\": " << Number(doc.m_wavelengths.lambda2)
    << ", \"ratio\": " << Number(doc.m_wavelengths.alpha2Ratio)
    << ", \"sample\": " << (doc.m_sample ? JsonQuoted(*doc.m_sample) : "null")
    << ", \"scans\": " << doc.m_scans << ", \"scan\": " << doc.m_scan
    << ", \"x_quantity\": " << JsonQuoted(doc.m_xQuantity)
    << ", \"x_unit\": " << JsonQuoted(doc.m_xUnit) << "}";
  return s.str();
}
