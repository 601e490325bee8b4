#pragma once

#include <string>

#include "profile/FileType.h"

// The format of a profile named on the command line: Rigaku when a line, as
// the readers see it (see LoadProfileText and LineReader), starts with the
// header key "*COUNT", else X-Y. A file that cannot be read, or that is not a
// regular file (a FIFO is never waited on), counts as X-Y; the open command
// then reports it.
FileType DetectFileType(const std::string& path);
