#pragma once

#include <functional>
#include <string>

class Host;

// Asks for a path with the save dialog, listing the files of pattern (its
// extension is the default one), and writes the text made by makeContents
// there. A failed write is reported with a message box and leaves any
// existing file as it was. A file name with a wildcard is refused the same
// way: it is a pattern of the dialog, not a name.
void SaveThroughDialog(Host& host, const std::function<std::string()>& makeContents,
                       const std::string& pattern = "*.dat");

// Whether the last component of path holds a wildcard character (*, ?, [).
bool NameHasWildcard(const std::string& path);
// The reason given for refusing such a name, translated.
std::string WildcardNameReason();
// The message of a save that failed, for the reason given.
std::string CannotSaveText(const std::string& path, const std::string& reason);
