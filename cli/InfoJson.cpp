#include "cli/InfoJson.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <sstream>

#include "profile/TavDoc.h"

namespace {

// A JSON string: quotes, backslashes and control characters escaped, other
// bytes (UTF-8) as they are.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

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
  s << "{\"format\": " << (doc.m_format ? Quoted(FormatName(*doc.m_format)) : "null")
    << ", \"path\": " << (doc.m_format ? Quoted(doc.m_path) : "null")
    << ", \"points\": " << doc.m_nData << ", \"wavelength1\": " << Number(doc.m_wavelengths.lambda1)
    << ", \"wavelength2\": " << Number(doc.m_wavelengths.lambda2)
    << ", \"ratio\": " << Number(doc.m_wavelengths.alpha2Ratio)
    << ", \"sample\": " << (doc.m_sample ? Quoted(*doc.m_sample) : "null")
    << ", \"scans\": " << doc.m_scans << ", \"scan\": " << doc.m_scan
    << ", \"x_quantity\": " << Quoted(doc.m_xQuantity) << ", \"x_unit\": " << Quoted(doc.m_xUnit)
    << "}";
  return s.str();
}
