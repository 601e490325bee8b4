#include "series/SeriesXAxis.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <numeric>
#include <regex>

namespace {

std::string FileName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// The number a text is, whole; NaN for anything else.
double NumberOf(const std::string& text) {
  if (text.empty()) return std::nan("");
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() ? value : std::nan("");
}

std::vector<double> NameOrder(const std::vector<SeriesXFile>& files) {
  std::vector<std::size_t> order(files.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&files](std::size_t a, std::size_t b) {
    return FileName(files[a].path) < FileName(files[b].path);
  });
  std::vector<double> values(files.size());
  for (std::size_t place = 0; place < order.size(); ++place) {
    values[order[place]] = static_cast<double>(place);
  }
  return values;
}

std::vector<double> MinutesFromFirstStart(const std::vector<SeriesXFile>& files) {
  double first = std::numeric_limits<double>::infinity();
  for (const SeriesXFile& file : files) {
    if (file.startTime) first = std::min(first, *file.startTime);
  }
  std::vector<double> values;
  for (const SeriesXFile& file : files) {
    values.push_back(file.startTime ? (*file.startTime - first) / 60.0 : std::nan(""));
  }
  return values;
}

}  // namespace

bool SeriesXValues(const std::vector<SeriesXFile>& files, SeriesX x, const std::string& pattern,
                   std::vector<double>& values, std::string& error) {
  values.clear();
  switch (x) {
    case SeriesX::kIndex:
      for (std::size_t i = 0; i < files.size(); ++i) values.push_back(static_cast<double>(i));
      return true;
    case SeriesX::kNameOrder:
      values = NameOrder(files);
      return true;
    case SeriesX::kStartTime:
      values = MinutesFromFirstStart(files);
      return true;
    case SeriesX::kNumberInName:
      break;
  }
  std::regex expression;
  try {
    expression = std::regex(pattern, std::regex::ECMAScript);
  } catch (const std::regex_error& e) {
    error = e.what();
    return false;
  }
  for (const SeriesXFile& file : files) {
    std::smatch match;
    const std::string name = FileName(file.path);
    if (!std::regex_search(name, match, expression)) {
      values.push_back(std::nan(""));
      continue;
    }
    values.push_back(NumberOf(match.size() > 1 ? match[1].str() : match[0].str()));
  }
  return true;
}
