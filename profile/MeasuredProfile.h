#pragma once

#include <optional>
#include <string>
#include <vector>

#include "profile/Wavelengths.h"

// What the readers of diffractometer files (XRDML, RAS, RASX, BRML) give: the
// points of one scan in file order, the wavelengths the file states and the
// sample name it gives.
struct MeasuredProfile {
  std::vector<double> x;  // 2θ in degrees
  std::vector<double> y;  // intensity, attenuation already applied
  // The factor each raw count was multiplied by (an attenuation factor), one
  // a point, when the file states any; empty otherwise.
  std::vector<double> factors;
  Wavelengths wavelengths;
  std::optional<std::string> sample;
  // How many scans the file holds; only the first is read.
  int scans = 1;
};
