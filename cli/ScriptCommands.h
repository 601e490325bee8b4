#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "cli/ScriptArguments.h"
#include "series/SeriesFit.h"

class AnsweringHost;
class CTavView;
class UndoHistory;

// What a script's commands work on: the view (and through it the document),
// the host whose dialogs the commands answer, the output and the error
// stream, and the count of commands that failed without a message box (a
// command whose menu item was disabled, a series in which no file could be
// fitted); the options of the series fits it runs, and the undo history.
struct ScriptSession {
  CTavView& view;
  AnsweringHost& host;
  std::ostream& out;
  std::ostream& err;
  int& quietFailures;
  SeriesOptions& seriesOptions;
  UndoHistory& history;
};

// One script command: its word, and the function that checks its arguments,
// gives the dialogs their answers and calls the handler the GUI calls.
struct ScriptCommandEntry {
  std::string_view word;
  void (*run)(ScriptSession& session, const Args& args);
};

// A command whose menu item is disabled does nothing but print
// "disabled: COMMAND"; it counts as a failure.
void ReportDisabled(ScriptSession& s, const char* command);

// A picture or table written by a script command is a save like any other: a
// name with a wildcard is refused with the message the save commands give,
// as a failure. True when path was refused.
bool RefusesWildcardName(ScriptSession& s, const std::string& path);

// The command of a word, or nullptr for an unknown word.
const ScriptCommandEntry* FindScriptCommand(std::string_view word);
