#include "series/SeriesXAxis.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
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

std::vector<double> NameOrder(const std::vector<std::string>& paths) {
  std::vector<std::size_t> order(paths.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&paths](std::size_t a, std::size_t b) {
    return FileName(paths[a]) < FileName(paths[b]);
  });
  std::vector<double> values(paths.size());
  for (std::size_t place = 0; place < order.size(); ++place) {
    values[order[place]] = static_cast<double>(place);
  }
  return values;
}

}  // namespace

bool SeriesXValues(const std::vector<std::string>& paths, SeriesX x, const std::string& pattern,
                   std::vector<double>& values, std::string& error) {
  values.clear();
  if (x == SeriesX::kIndex) {
    for (std::size_t i = 0; i < paths.size(); ++i) values.push_back(static_cast<double>(i));
    return true;
  }
  if (x == SeriesX::kNameOrder) {
    values = NameOrder(paths);
    return true;
  }
  std::regex expression;
  try {
    expression = std::regex(pattern, std::regex::ECMAScript);
  } catch (const std::regex_error& e) {
    error = e.what();
    return false;
  }
  for (const std::string& path : paths) {
    std::smatch match;
    const std::string name = FileName(path);
    if (!std::regex_search(name, match, expression)) {
      values.push_back(std::nan(""));
      continue;
    }
    values.push_back(NumberOf(match.size() > 1 ? match[1].str() : match[0].str()));
  }
  return true;
}
