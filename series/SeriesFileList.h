#pragma once

#include <optional>
#include <string>
#include <vector>

// The files a series argument names, appended to paths:
// - "@LIST": the lines of the text file LIST, one path each (blank lines
//   skipped, line ends of any kind);
// - a glob pattern (holding *, ? or [): the paths that match it, sorted; a
//   pattern that matches nothing stands for itself, so that the series
//   reports it as a file it cannot read;
// - anything else: a path.
// False with a short reason in error when a list cannot be read.
bool ExpandSeriesArgument(const std::string& word, std::vector<std::string>& paths,
                          std::string& error);

// The list file an "@LIST" argument names, or nothing for any other word.
std::optional<std::string> ListFileOf(const std::string& word);

// The first of paths that is the same file as out (the same device and
// inode, whatever links lead there), or nothing: a series that wrote its
// table there would destroy what it reads. A path that does not exist is
// no file of the list.
std::optional<std::string> SameFileAmong(const std::string& out,
                                         const std::vector<std::string>& paths);
