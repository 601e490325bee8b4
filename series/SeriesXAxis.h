#pragma once

#include <optional>
#include <string>
#include <vector>

// What a series plot puts on X for each file of the series.
enum class SeriesX {
  kIndex,         // the file's index in the series (0, 1, ...)
  kNameOrder,     // its place among the files sorted by file name alone
  kNumberInName,  // a number in its file name (a temperature, a time)
  kStartTime,     // minutes from the series' first scan to its own start
};

// What the series knows of each file, in the series' order: its path and
// when its scan began (seconds, as the file's header states it).
struct SeriesXFile {
  std::string path;
  std::optional<double> startTime;
};

// The X of each file. For kNumberInName the
// pattern is an ECMAScript regular expression searched for in the file name
// (without its folder); the number is its first group, or the whole match
// without groups, such as "_(\d+)C" for "NaCl_300C.xy". A file whose name
// does not match, or whose match is no number, gets NaN, as does a file
// whose header states no start for kStartTime. False with the reason when
// the pattern is not a regular expression.
bool SeriesXValues(const std::vector<SeriesXFile>& files, SeriesX x, const std::string& pattern,
                   std::vector<double>& values, std::string& error);
