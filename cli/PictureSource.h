#pragma once

#include <string>

#include "view/PictureWriters.h"

// Where render and export-plot find the picture writers. The program sets
// the way once, before running scripts: tav-cli loads them from a module on
// first use, programs linked with the painting code give them directly.
using PictureWritersSource = const PictureWriters* (*)(std::string& error);
void SetPictureWritersSource(PictureWritersSource source);

// The writers, or nullptr with the reason (none set, or they could not be
// loaded).
const PictureWriters* ThePictureWriters(std::string& error);
