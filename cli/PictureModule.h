#pragma once

#include <string>

#include "view/PictureWriters.h"

// tav-cli's picture writers, from the module that holds the painting code
// and Qt's GUI libraries: loaded the first time a script draws, so that a
// script that draws nothing starts without them. The module is looked for
// beside the program (a build folder), then where it is installed relative
// to the program. nullptr with the reason when it cannot be loaded.
const PictureWriters* LoadPictureModule(std::string& error);
