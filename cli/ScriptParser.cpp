#include "cli/ScriptParser.h"

std::vector<ScriptCommand> ParseScript(const std::string& text) {
  std::vector<ScriptCommand> commands;
  ScriptCommand current;
  std::string word;
  bool inWord = false;
  bool quoted = false;
  int line = 1;
  current.line = line;

  auto endWord = [&] {
    if (inWord) current.words.push_back(word);
    word.clear();
    inWord = false;
  };
  auto endCommand = [&] {
    endWord();
    if (!current.words.empty()) commands.push_back(current);
    current.words.clear();
    current.line = line;
  };

  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else {
        if (c == '\n') ++line;
        word += c;
      }
      continue;
    }
    if (c == '"') {
      quoted = true;
      inWord = true;
    } else if (c == '#') {
      while (i + 1 < text.size() && text[i + 1] != '\n') ++i;
    } else if (c == '\n') {
      endCommand();
      ++line;
      current.line = line;
    } else if (c == ';') {
      endCommand();
    } else if (c == ' ' || c == '\t' || c == '\r') {
      endWord();
    } else {
      word += c;
      inWord = true;
    }
  }
  endCommand();
  return commands;
}
