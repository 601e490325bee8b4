#pragma once

#include <functional>
#include <string>

class Host;

// Asks for a path with the save dialog (default extension "dat") and writes
// the text made by makeContents there. A failed write is reported with a
// message box and leaves any existing file as it was.
void SaveThroughDialog(Host& host, const std::function<std::string()>& makeContents);
