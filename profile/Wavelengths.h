#pragma once

#include <optional>

// The X-ray wavelengths of a profile, in ångström, as its file states them.
// A field that is not set is unknown; no value is ever assumed for it.
struct Wavelengths {
  std::optional<double> lambda1;      // Kα1, or the only line
  std::optional<double> lambda2;      // Kα2
  std::optional<double> alpha2Ratio;  // intensity ratio Kα2 / Kα1

  bool Any() const { return lambda1 || lambda2 || alpha2Ratio; }
  friend bool operator==(const Wavelengths&, const Wavelengths&) = default;
};

// Where a profile's wavelengths came from.
enum class WavelengthSource {
  kNone,     // nothing known
  kFile,     // stated by the file
  kUser,     // entered for this profile
  kDefault,  // the default for files that state none
};
