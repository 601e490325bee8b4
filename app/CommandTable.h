#pragma once

#include <vector>

// The resources of one command: its menu text (without the shortcut), its
// accelerators, its status-bar prompt (then "\n" and the tool tip) and its
// tool-bar image.
struct CommandInfo {
  int id;
  const char* text;       // menu or action text
  const char* shortcuts;  // ";"-separated key sequences, "" for none
  const char* prompt;     // "" for none
  const char* icon;       // resource path, "" for none
};

// Every command of the main frame, the framework's and the program's own.
const std::vector<CommandInfo>& Commands();
const CommandInfo* FindCommand(int id);

// A menu: its title and its items in order, 0 standing for a separator.
struct MenuInfo {
  const char* title;
  std::vector<int> items;
};

const std::vector<MenuInfo>& MainMenu();
// The tool bar's buttons in order, 0 standing for a separator.
const std::vector<int>& ToolBarButtons();
