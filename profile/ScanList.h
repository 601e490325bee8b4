#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "profile/ProfileFormat.h"

// One scan of a file with several, as the list to choose from shows it.
struct ScanSummary {
  int number = 0;  // from 1
  std::size_t points = 0;
  double first = 0.0;  // X of the first and the last point
  double last = 0.0;
  std::string xQuantity;  // as MeasuredProfile names it
  std::string xUnit;
  std::string description;  // axis and conditions in the file's words
  std::string error;        // why the scan cannot be read (the rest then empty)
};

// Every scan of a file of a format that ReadMeasuredProfile reads, scans of
// them: each read in turn, a scan that cannot be read listed with the reason.
std::vector<ScanSummary> ListScans(ProfileFormat format, std::string_view bytes, int scans);

// A line for a list of scans: "2: 0 – 360 deg phi, 73 points (Phi; Chi 10)".
std::string ScanLine(const ScanSummary& scan);
