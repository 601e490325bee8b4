#pragma once

#include "cli/ScriptCommands.h"

// export-fit PATH: the fit on screen as data (disabled before a fit).
void ExportFitCommand(ScriptSession& s, const Args& a);

// save-session PATH [embed]: the whole session as a session file (the
// profile's points in it with embed).
void SaveSessionCommand(ScriptSession& s, const Args& a);

// open-session PATH: the session saved there, as one step.
void OpenSessionCommand(ScriptSession& s, const Args& a);
