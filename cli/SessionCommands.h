#pragma once

#include "cli/ScriptCommands.h"

// export-fit PATH: the fit on screen as data (disabled before a fit).
void ExportFitCommand(ScriptSession& s, const Args& a);
