#pragma once

#include <string>

// The programs keep their heavy parts (the GUI, the painting code) in
// modules loaded when needed, so that what needs none of them (--help,
// --version, a script that draws nothing) starts without their libraries.
// A module is looked for beside the program (a build folder), then in the
// folder it is installed to, relative to the program.

// The address of the function named entry in the module file name (such as
// "tav-gui.so"), loaded once and kept for the process; nullptr with the
// reason when the module is missing, cannot be loaded or lacks the entry.
void* ProgramModuleEntry(const std::string& name, const char* entry, std::string& error);
