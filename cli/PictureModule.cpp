#include "cli/PictureModule.h"

#include "module/ProgramModule.h"

namespace {

const PictureWriters* Load(std::string& error) {
  using Entry = const PictureWriters* (*)();
  const auto entry =
      reinterpret_cast<Entry>(ProgramModuleEntry("tav-pictures.so", "TavPictureWriters", error));
  return entry != nullptr ? entry() : nullptr;
}

}  // namespace

const PictureWriters* LoadPictureModule(std::string& error) {
  // Loaded once; a failure is kept too, and said again each time.
  static std::string failure;
  static const PictureWriters* const writers = Load(failure);
  if (writers == nullptr) error = failure;
  return writers;
}
