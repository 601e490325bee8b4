#pragma once

#include <string>
#include <vector>

// What a series plot puts on X for each file of the series.
enum class SeriesX {
  kIndex,         // the file's index in the series (0, 1, ...)
  kNameOrder,     // its place among the files sorted by file name alone
  kNumberInName,  // a number in its file name (a temperature, a time)
};

// The X of each file (paths in the series' order). For kNumberInName the
// pattern is an ECMAScript regular expression searched for in the file name
// (without its folder); the number is its first group, or the whole match
// without groups, such as "_(\d+)C" for "NaCl_300C.xy". A file whose name
// does not match, or whose match is no number, gets NaN. False with the
// reason when the pattern is not a regular expression.
bool SeriesXValues(const std::vector<std::string>& paths, SeriesX x, const std::string& pattern,
                   std::vector<double>& values, std::string& error);
