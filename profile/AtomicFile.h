#pragma once

#include <string>

// Writes contents to path as a careful editor saves a file. Returns false with
// a short reason in error when anything fails.
//
// - A symbolic link is followed (through any chain of links, to a target that
//   need not exist yet): the target is written and the link stays a link.
// - An existing file the user may not write is refused ("Permission denied"),
//   even where the folder would allow replacing it.
// - Otherwise the contents go to a temporary file beside the target that is
//   then renamed over it, so that a failed write leaves the old file as it
//   was and no temporary file behind. The new file keeps the permission bits
//   of the one it replaces; a file that did not exist gets 0666 less the
//   umask. Owner and group become those of the saving process.
// - Not atomic: a file with more than one hard link is written in place, so
//   that its links keep sharing it; so is a writable file in a folder where
//   no temporary file can be created. A failure part way through such a
//   write (a full disk, the file-size limit) leaves the file damaged.
//
// SIGXFSZ is ignored from the first call on (unless the program handles it),
// so that going past the file-size limit fails the write with "File too
// large" instead of killing the process.
bool WriteFileReplacing(const std::string& path, const std::string& contents, std::string& error);
