#include "series/SeriesFileList.h"

#include <glob.h>
#include <sys/stat.h>

#include <string_view>

#include "profile/TextSource.h"

namespace {

bool IsPattern(const std::string& word) { return word.find_first_of("*?[") != std::string::npos; }

std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

bool AppendListed(const std::string& list, std::vector<std::string>& paths, std::string& error) {
  std::string text;
  std::string reason;
  if (!LoadProfileText(list, text, reason)) {
    error = "cannot read " + list + ": " + reason;
    return false;
  }
  LineReader reader(text);
  std::string_view line;
  while (reader.Next(line)) {
    const std::string_view path = WithoutLineEnd(line);
    if (path.find_first_not_of(" \t") != std::string_view::npos) paths.emplace_back(path);
  }
  return true;
}

void AppendMatches(const std::string& pattern, std::vector<std::string>& paths) {
  glob_t matches{};
  if (glob(pattern.c_str(), GLOB_NOCHECK, nullptr, &matches) == 0) {
    for (std::size_t i = 0; i < matches.gl_pathc; ++i) paths.emplace_back(matches.gl_pathv[i]);
  } else {
    paths.push_back(pattern);
  }
  globfree(&matches);
}

}  // namespace

std::optional<std::string> ListFileOf(const std::string& word) {
  if (word.size() > 1 && word[0] == '@') return word.substr(1);
  return std::nullopt;
}

std::optional<std::string> SameFileAmong(const std::string& out,
                                         const std::vector<std::string>& paths) {
  struct stat target {};
  if (stat(out.c_str(), &target) != 0) return std::nullopt;
  for (const std::string& path : paths) {
    struct stat file {};
    if (stat(path.c_str(), &file) == 0 && file.st_dev == target.st_dev &&
        file.st_ino == target.st_ino) {
      return path;
    }
  }
  return std::nullopt;
}

bool ExpandSeriesArgument(const std::string& word, std::vector<std::string>& paths,
                          std::string& error) {
  if (const std::optional<std::string> list = ListFileOf(word)) {
    return AppendListed(*list, paths, error);
  }
  if (IsPattern(word)) {
    AppendMatches(word, paths);
  } else {
    paths.push_back(word);
  }
  return true;
}
