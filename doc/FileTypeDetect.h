#pragma once

#include <string>

// The format of a profile named on the command line: 1 (Rigaku) when a line
// starts with the header key "*COUNT", else 0 (X-Y). A file that cannot be
// read counts as X-Y; the open command then reports it.
int DetectFileType(const std::string& path);
