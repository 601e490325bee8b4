#pragma once

#include <string>
#include <string_view>

// Reads a whole profile file as the program's text mode sees it: a UTF-8
// byte-order mark at the start is dropped and CR LF becomes LF. Returns false
// with a short reason in error when the path is not a readable regular file;
// anything else (a FIFO, a device) is refused without waiting on it.
bool LoadProfileText(const std::string& path, std::string& text, std::string& error);

// Reads the bytes of a regular file as they are, at most maxBytes of them:
// whole tells whether that was the whole file. Returns false with a short
// reason in error as LoadProfileText does.
bool LoadFileBytes(const std::string& path, std::size_t maxBytes, std::string& bytes, bool& whole,
                   std::string& error);

// Drops a leading byte-order mark and turns every CR LF into LF.
std::string NormalizeText(std::string_view raw);

// A line as LineReader hands it out, without its line end.
std::string_view WithoutLineEnd(std::string_view line);

// Hands out the lines of a text, each whole whatever its length and with its
// line end: a line feed, carriage returns followed by a line feed, or a lone
// carriage return (as in files from classic Mac OS). A line ends at an
// embedded NUL byte, as a C string does; the rest of it up to the line end is
// dropped.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : m_text(text) {}

  // The next line, or false at the end of the text.
  bool Next(std::string_view& line);

 private:
  std::string_view m_text;
  std::size_t m_pos = 0;
};
