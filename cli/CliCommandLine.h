// tav-cli's command line: the options and the help text.
#pragma once

#include <optional>
#include <string>

#include "lang/Language.h"

// What the command line asks for.
struct CliOptions {
  std::string inline_script;  // the -e commands, one a line
  bool have_inline = false;
  std::string script_file;  // empty: none named
  bool strict = false;
  bool help = false;
  bool version = false;
  std::optional<Language> language;  // --lang
};

// The line printed on stderr for a bad command line.
inline constexpr const char* kCliUsage =
    "usage: tav-cli [--strict] [-e 'CMD; CMD; ...'] [SCRIPT_FILE]\n";

// The options of argv[1..argc-1]; nullopt when they are not tav-cli's (an
// unknown option, a second script file, -e or --lang without its value, a
// language other than ja or en).
std::optional<CliOptions> ParseCliCommandLine(int argc, const char* const* argv);

// The --help text.
std::string CliHelpText(Language language);
