#pragma once

#include <sstream>
#include <string>

#include "cli/ScriptParser.h"
#include "cli/ScriptRunner.h"

// What a script run by a fresh session gave: its exit status and the text of
// its output and error streams.
struct ScriptOutcome {
  int status;
  std::string out;
  std::string err;
};

inline ScriptOutcome RunScript(const std::string& script) {
  std::ostringstream out, err;
  ScriptRunner runner(out, err);
  const int status = runner.Run(ParseScript(script));
  return {status, out.str(), err.str()};
}
