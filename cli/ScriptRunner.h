#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/ScriptError.h"
#include "cli/ScriptParser.h"
#include "history/UndoHistory.h"
#include "profile/TavDoc.h"
#include "series/SeriesFit.h"
#include "view/AnsweringHost.h"
#include "view/TavView.h"

// One session of the program without a display: a fresh document and view,
// driven command by command through the same handlers the GUI calls. Each
// message box prints one "message: TEXT" line on the output.
class ScriptRunner {
 public:
  ScriptRunner(std::ostream& out, std::ostream& err);

  // Runs every command in order; returns the exit status (0, or 2 after a
  // bad command, which stops the run).
  int Run(const std::vector<ScriptCommand>& commands);
  // Runs one command; throws ScriptError on a bad command or argument.
  void Execute(const std::vector<std::string>& words);
  // Whether any command run so far failed: a handler reported a failure (an
  // open, save, fit or background estimate that could not do what was
  // asked), the command did nothing because its menu item was disabled, or a
  // series fitted none of its files.
  bool AnyFailure() const;

  CTavView& view() { return m_view; }
  AnsweringHost& host() { return m_host; }

 private:
  std::ostream& m_out;
  std::ostream& m_err;
  CTavDoc m_doc;
  AnsweringHost m_host;
  CTavView m_view;
  int m_quietFailures = 0;
  SeriesOptions m_seriesOptions;
  UndoHistory m_history;
};
