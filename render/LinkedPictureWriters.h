#pragma once

#include <string>

#include "view/PictureWriters.h"

// The picture writers of this library (never nullptr), for a program linked
// with it: the GUI, the tests, the fuzz harnesses, and the module that
// tav-cli loads.
const PictureWriters* LinkedPictureWriters(std::string& error);
