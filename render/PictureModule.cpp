// The module tav-cli loads to draw pictures: the painting code and Qt's GUI
// libraries, kept out of a script that draws nothing.
#include <string>

#include "render/LinkedPictureWriters.h"

extern "C" __attribute__((visibility("default"))) const PictureWriters* TavPictureWriters() {
  std::string unused;
  return LinkedPictureWriters(unused);
}
