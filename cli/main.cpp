// tav-cli: runs a session script of tav without a display.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "cli/ScriptParser.h"
#include "cli/ScriptRunner.h"

namespace {

int Usage() {
  std::cerr << "usage: tav-cli [--strict] [-e 'CMD; CMD; ...'] [SCRIPT_FILE]\n";
  return 2;
}

// Runs the -e commands, then the script file (or standard input when neither
// was given); returns 0, or 2 after a bad command or an unreadable file.
int RunScripts(ScriptRunner& runner, const std::string& inline_script, bool have_inline,
               const std::string& script_file) {
  if (have_inline) {
    const int status = runner.Run(ParseScript(inline_script));
    if (status != 0) return status;
  }
  if (!script_file.empty() || !have_inline) {
    std::stringstream text;
    if (script_file.empty()) {
      text << std::cin.rdbuf();
    } else {
      std::ifstream in(script_file, std::ios::binary);
      if (!in) {
        std::cerr << "error: cannot read " << script_file << '\n';
        return 2;
      }
      text << in.rdbuf();
    }
    return runner.Run(ParseScript(text.str()));
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string inline_script;
  std::string script_file;
  bool have_inline = false;
  bool strict = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "-e") {
      if (i + 1 >= argc) return Usage();
      inline_script += std::string(argv[++i]) + "\n";
      have_inline = true;
    } else if (arg == "--strict") {
      strict = true;
    } else if (arg == "-h" || arg == "--help") {
      Usage();
      return 0;
    } else if (script_file.empty() && !arg.empty() && arg[0] != '-') {
      script_file = arg;
    } else {
      return Usage();
    }
  }

  ScriptRunner runner(std::cout, std::cerr);
  const int status = RunScripts(runner, inline_script, have_inline, script_file);
  // --strict: a run that went to its end is still a failure when any command failed.
  if (status == 0 && strict && runner.AnyFailure()) return 1;
  return status;
}
