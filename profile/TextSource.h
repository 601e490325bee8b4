#pragma once

#include <string>
#include <string_view>

// Reads a whole profile file as the program's text mode sees it: a UTF-8
// byte-order mark at the start is dropped and CR LF becomes LF. Returns false
// with a short reason in error when the path is not a readable regular file;
// anything else (a FIFO, a device) is refused without waiting on it.
bool LoadProfileText(const std::string& path, std::string& text, std::string& error);

// Drops a leading byte-order mark and turns every CR LF into LF.
std::string NormalizeText(std::string_view raw);

// Hands out the lines of a text as a line read with a 256-byte buffer gives
// them: at most 255 characters, up to and including the line feed, so that a
// longer line arrives in pieces. A line ends at an embedded NUL byte, as the
// C string it is read into does.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : m_text(text) {}

  // The next line, or false at the end of the text.
  bool Next(std::string_view& line);

 private:
  static constexpr std::size_t kMaxChars = 255;
  std::string_view m_text;
  std::size_t m_pos = 0;
};
