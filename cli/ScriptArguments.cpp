#include "cli/ScriptArguments.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "cli/ScriptError.h"

namespace {

long ParseInt(const std::string& text) {
  errno = 0;
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno == ERANGE) throw ScriptError("not an integer: " + text);
  return v;
}

}  // namespace

double ParseReal(const std::string& text) {
  errno = 0;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || errno == ERANGE) throw ScriptError("not a number: " + text);
  // strtod also reads "nan" and "inf", which no dialog field would take.
  if (!std::isfinite(v)) throw ScriptError("not a finite number: " + text);
  return v;
}

int ParseIntIn(const std::string& text, long lo, long hi, const char* what) {
  const long v = ParseInt(text);
  if (v < lo || v > hi) {
    throw ScriptError(std::string(what) + " must be " + std::to_string(lo) + ".." +
                      std::to_string(hi) + ": " + text);
  }
  return static_cast<int>(v);
}

int ParsePixel(const std::string& text) { return ParseIntIn(text, -1000000, 1000000, "pixel"); }

void ExpectCount(const Args& args, std::size_t lo, std::size_t hi, const char* usage) {
  if (args.size() < lo || args.size() > hi) throw ScriptError(std::string("usage: ") + usage);
}

bool ParseSwitch(const std::string& word, const char* usage) {
  if (word == "on") return true;
  if (word == "off") return false;
  throw ScriptError(std::string("usage: ") + usage);
}
