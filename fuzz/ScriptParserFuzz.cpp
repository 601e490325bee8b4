// The tav-cli script parser on a script's bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cli/ScriptParser.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto commands = ParseScript(text);

  int lines = 1;
  for (const char c : text) lines += c == '\n';
  // Without quotes, words never hold a separator.
  const bool quoted = text.find('"') != std::string::npos;
  int previous = 1;
  for (const ScriptCommand& command : commands) {
    FUZZ_CHECK(!command.words.empty());
    FUZZ_CHECK(command.line >= previous && command.line <= lines);
    previous = command.line;
    for (const std::string& word : command.words) {
      if (!quoted) {
        FUZZ_CHECK(!word.empty());
        FUZZ_CHECK(word.find_first_of(" \t\r\n;#") == std::string::npos);
      }
    }
  }
  return 0;
}
