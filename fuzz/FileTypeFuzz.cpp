// Content detection and file loading on a file holding the input's bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "fuzz/ScratchFolder.h"
#include "profile/FileTypeDetect.h"
#include "profile/ProfileReaders.h"
#include "profile/TextSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  const std::string path = ScratchFolder::Get().Write("profile", raw);

  const FileType type = DetectFileType(path);
  std::string text, error;
  FUZZ_CHECK(LoadProfileText(path, text, error));
  FUZZ_CHECK(text == NormalizeText(raw));
  // A file from which the RINT reader takes a *COUNT header is never taken
  // for an X-Y list.
  if (ReadRigakuProfile(text).count) FUZZ_CHECK(type == FileType::Rigaku);
  FUZZ_CHECK(type == FileType::Rigaku || type == FileType::Xy);
  return 0;
}
