#include "cli/PictureSource.h"

namespace {

PictureWritersSource g_source = nullptr;

}  // namespace

void SetPictureWritersSource(PictureWritersSource source) { g_source = source; }

const PictureWriters* ThePictureWriters(std::string& error) {
  if (g_source == nullptr) {
    error = "this program cannot draw pictures";
    return nullptr;
  }
  return g_source(error);
}
