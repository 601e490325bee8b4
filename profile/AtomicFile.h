#pragma once

#include <string>

// Writes contents to path through a temporary file beside it that is renamed
// over the target, so a failed write never leaves a half-written or destroyed
// file. Returns false with a short reason in error when anything fails.
//
// SIGXFSZ is ignored from the first call on (unless the program handles it),
// so that going past the file-size limit fails the write with "File too
// large" instead of killing the process.
bool WriteFileReplacing(const std::string& path, const std::string& contents, std::string& error);
