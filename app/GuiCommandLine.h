// tav's own command-line options, read before Qt starts so that --help and
// --version work without a display.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "lang/Language.h"

struct GuiOptions {
  bool help = false;
  bool version = false;
  bool bad = false;  // --lang without ja or en
  std::optional<Language> language;
  // argv[0] and every argument that is not tav's own, in order: Qt's options
  // and the file to open. Points into the original argv.
  std::vector<char*> remaining;
};

// The line printed on stderr for a bad command line.
inline constexpr const char* kGuiUsage = "usage: tav [--lang ja|en] [FILE]\n";

GuiOptions ParseGuiCommandLine(int argc, char** argv);

// The --help text.
std::string GuiHelpText(Language language);
