#pragma once

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/ScriptHost.h"
#include "cli/ScriptParser.h"
#include "doc/TavDoc.h"
#include "view/TavView.h"

// A bad command or argument; the runner reports it and stops with status 2.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One session of the program without a display: a fresh document and view,
// driven command by command through the same handlers the GUI calls.
class ScriptRunner {
 public:
  ScriptRunner(std::ostream& out, std::ostream& err);

  // Runs every command in order; returns the exit status (0, or 2 after a
  // bad command, which stops the run).
  int Run(const std::vector<ScriptCommand>& commands);
  // Runs one command; throws ScriptError on a bad command or argument.
  void Execute(const std::vector<std::string>& words);

  CTavView& view() { return m_view; }
  ScriptHost& host() { return m_host; }

 private:
  std::ostream& m_out;
  std::ostream& m_err;
  CTavDoc m_doc;
  ScriptHost m_host;
  CTavView m_view;
};
