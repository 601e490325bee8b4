#pragma once

#include <functional>

class QAction;

// The modern view's help on the commands: a status-bar prompt for each
// command that has none in the classic program (and the export's naming
// PDF), and the keys F5 (fit) and Ctrl+F (find peaks). In the classic view
// every command has its classic prompt and keys again.
void ShowCommandHelp(const std::function<QAction*(int)>& action, bool modern);
