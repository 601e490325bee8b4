#pragma once

#include <string>

// Fonts need a QGuiApplication. Without one (tav-cli), one is made on the
// offscreen platform, so that no display is needed, and kept for the process.
// False with a reason when another kind of application object runs.
bool EnsureGuiApplication(std::string& error);
