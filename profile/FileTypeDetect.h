#pragma once

#include <string>

#include "profile/FileType.h"

// The format of a profile named on the command line: Rigaku when a line
// starts with the header key "*COUNT", else X-Y. A file that cannot be read
// counts as X-Y; the open command then reports it.
FileType DetectFileType(const std::string& path);
