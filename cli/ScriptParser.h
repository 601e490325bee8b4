#pragma once

#include <string>
#include <vector>

// One command of a script: its words and the line it stands on.
struct ScriptCommand {
  int line = 0;
  std::vector<std::string> words;
};

// Splits a script into commands: newlines and ';' separate commands, '#'
// starts a comment to the end of the line, words are separated by blanks or
// tabs, and a word in double quotes may contain blanks and ';'.
std::vector<ScriptCommand> ParseScript(const std::string& text);
