// Text normalisation and the line reader on a file's bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "profile/TextSource.h"

namespace {

// The lines of a text without their line ends, checking on the way that each
// line is whole: not empty, free of NUL bytes, with line-end characters only
// at its end, and (when the text has no NUL, which cuts lines short) that the
// lines put together give the text back.
std::vector<std::string_view> CheckedLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::string joined;
  LineReader reader(text);
  for (std::string_view line; reader.Next(line);) {
    FUZZ_CHECK(line.find('\0') == std::string_view::npos);
    joined.append(line);
    std::string_view body = line;
    while (!body.empty() && (body.back() == '\n' || body.back() == '\r')) body.remove_suffix(1);
    // A line end is a lone CR, or CRs and then one LF.
    const std::string_view end = line.substr(body.size());
    FUZZ_CHECK(end.find('\n') == std::string_view::npos || end.find('\n') == end.size() - 1);
    if (end.size() > 1) FUZZ_CHECK(end.back() == '\n');
    FUZZ_CHECK(body.find_first_of("\r\n") == std::string_view::npos);
    lines.push_back(body);
    FUZZ_CHECK(lines.size() <= text.size());
  }
  if (text.find('\0') == std::string_view::npos) {
    FUZZ_CHECK(joined == text);
  } else {
    FUZZ_CHECK(joined.size() <= text.size());
  }
  return lines;
}

std::string WithoutCarriageReturns(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c != '\r') out += c;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view raw(reinterpret_cast<const char*>(data), size);
  const std::string text = NormalizeText(raw);
  if (raw.starts_with("\xEF\xBB\xBF")) raw.remove_prefix(3);

  // Normalising drops the byte-order mark and carriage returns, nothing else,
  // and leaves the lines as the reader sees them unchanged.
  FUZZ_CHECK(text.size() <= raw.size());
  FUZZ_CHECK(WithoutCarriageReturns(text) == WithoutCarriageReturns(raw));
  FUZZ_CHECK(CheckedLines(text) == CheckedLines(raw));
  return 0;
}
