// The RINT ASCII reader on a file's bytes, as the open command reads them:
// normalised, then read.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "profile/ProfileReaders.h"
#include "profile/TextSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = NormalizeText({reinterpret_cast<const char*>(data), size});
  const RigakuProfile profile = ReadRigakuProfile(text);

  // Values come only from the data block after *COUNT, four a line at most.
  std::size_t lines = 0;
  LineReader reader(text);
  for (std::string_view line; reader.Next(line);) ++lines;
  if (!profile.count) FUZZ_CHECK(profile.values.empty());
  FUZZ_CHECK(profile.values.size() <= 4 * lines);
  return 0;
}
