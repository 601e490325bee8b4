// The X-Y list reader on a file's bytes, as the open command reads them. The
// first three bytes choose the reading settings the column dialog accepts:
// byte 0 the lines to skip (0..100), bytes 1 and 2 the last line (1..9999;
// 00 27 0E gives 9999). The rest is the file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "profile/ProfileReaders.h"
#include "profile/TextSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const int skip = data[0] % 101;
  const int last = 1 + (data[1] << 8 | data[2]) % 9999;
  const std::string text = NormalizeText({reinterpret_cast<const char*>(data) + 3, size - 3});
  const XyProfile profile = ReadXyProfile(text, skip, last);

  // One point a line at most, from the lines after the skipped ones.
  std::size_t lines = 0;
  LineReader reader(text);
  for (std::string_view line; reader.Next(line);) ++lines;
  const std::size_t readable = lines > static_cast<std::size_t>(skip) ? lines - skip : 0;
  FUZZ_CHECK(profile.x.size() == profile.y.size());
  FUZZ_CHECK(profile.x.size() <= static_cast<std::size_t>(last));
  FUZZ_CHECK(profile.x.size() <= readable);
  return 0;
}
