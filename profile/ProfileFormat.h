#pragma once

#include <stdexcept>
#include <string>

// The formats a profile is read from, as content detection names them.
enum class ProfileFormat { Rigaku, Xy, Xrdml, Ras, Rasx, Brml, Raw, Uxd, Gsas, Chi, Cif };

// The format's short name: "rigaku", "xy", "xrdml", "ras", "rasx", "brml", "raw", "uxd",
// "gsas", "chi", "cif".
const char* FormatName(ProfileFormat format);
// The format as messages name it: "RINT", "X-Y", "XRDML", "RAS", "RASX", "BRML", "Bruker RAW",
// "UXD", "GSAS", "CHI", "CIF".
const char* FormatLabel(ProfileFormat format);

// A file that cannot be read as the format it claims to be (broken XML, a
// member missing from an archive, data that are no numbers, ...): what() is
// the reason, in the program's language, for the message naming the file.
class ProfileFormatError : public std::runtime_error {
 public:
  explicit ProfileFormatError(const std::string& reason) : std::runtime_error(reason) {}
};
