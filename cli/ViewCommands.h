#pragma once

#include "cli/ScriptCommands.h"

// The plot's options and navigation, undo and redo, and the commands that go
// with them:
//   view scale linear|sqrt|log, view ticks|grid|residuals|clip|titles|legend on|off,
//   view style classic|modern (the options of the classic picture or the modern view),
//   view size W H (the plot follows a W x H client area; 0 0: fixed)
//   wheel PX PY STEPS, pan DX DY
//   undo, redo
//   step-messages on|off
//   fit-message classic|detailed
//   export-plot PATH [W H]
//   subtract-background
void ViewCommand(ScriptSession& s, const Args& a);
void WheelCommand(ScriptSession& s, const Args& a);
void PanCommand(ScriptSession& s, const Args& a);
void UndoCommand(ScriptSession& s, const Args& a);
void RedoCommand(ScriptSession& s, const Args& a);
void StepMessagesCommand(ScriptSession& s, const Args& a);
void FitMessageCommand(ScriptSession& s, const Args& a);
void ExportPlotCommand(ScriptSession& s, const Args& a);
void SubtractBackgroundCommand(ScriptSession& s, const Args& a);
