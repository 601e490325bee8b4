#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "profile/Wavelengths.h"

// What the readers of diffractometer files give: the points of one scan in
// file order, the wavelengths the file states and the sample name it gives.
struct MeasuredProfile {
  std::vector<double> x;  // as the file gives it: 2θ in degrees unless xQuantity says otherwise
  std::vector<double> y;  // intensity, attenuation already applied
  // The factor each raw count was multiplied by (an attenuation factor), one
  // a point, when the file states any; empty otherwise.
  std::vector<double> factors;
  // The standard uncertainty of each intensity when the file gives them
  // (empty otherwise); NaN for a point whose uncertainty is unknown.
  std::vector<double> sigma;
  Wavelengths wavelengths;
  std::optional<std::string> sample;
  // How many scans (ranges, data blocks) the file holds, and which of them,
  // from 1, was read.
  int scans = 1;
  int scan = 1;
  // The points the scan announces when the file holds fewer of them (a file
  // cut short): the whole points it has were read.
  std::optional<std::size_t> announced;
  // What X is: "2theta" in "deg", "q" in "1/angstrom", or another axis as the
  // file names it (a pole figure's "phi", say).
  std::string xQuantity = "2theta";
  std::string xUnit = "deg";
  // The scan's axis and conditions in the file's words, for a list of scans;
  // may be empty.
  std::string description;
  // When the scan began, in seconds since 1970-01-01 00:00 (see
  // MeasurementTime.h), when the file states it.
  std::optional<double> startTime;
};
