// The text both hosts print for --version.
#pragma once

#include <string>
#include <string_view>

#include "lang/Language.h"

// The project's version, as the build gives it (for example "1.0.0.1").
std::string_view ProgramVersion();

// "PROGRAM VERSION", the copyright line and the licence, in the language.
std::string VersionText(std::string_view program, Language language);
