#include "profile/TextSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace {

// The first position from `from` on, in steps of eight bytes, whose eight
// bytes hold one at or below '\r' (line feed, carriage return and NUL all
// do), or the last such step before the end: every byte skipped lies above
// '\r'.
std::size_t SkipPrintableWords(std::string_view text, std::size_t from) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  while (from + sizeof(std::uint64_t) <= text.size()) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + from, sizeof word);
    // Nonzero exactly when some byte is below '\r' + 1.
    if (((word - kOnes * ('\r' + 1)) & ~word & kHighBits) != 0) break;
    from += sizeof word;
  }
  return from;
}

// Closes a file descriptor when it goes out of scope.
struct FdCloser {
  int fd;
  ~FdCloser() {
    if (fd >= 0) ::close(fd);
  }
};

// The reason a file of this kind is not read: only regular files are.
std::string NotRegularReason(const struct stat& info) {
  return S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : "not a regular file";
}

}  // namespace

std::string NormalizeText(std::string_view raw) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (raw.substr(0, kBom.size()) == kBom) raw.remove_prefix(kBom.size());
  std::string text;
  text.reserve(raw.size());
  // Copies the text between CR LF pairs whole, leaving out each pair's CR.
  std::size_t from = 0;
  for (std::size_t crlf = raw.find("\r\n"); crlf != std::string_view::npos;
       crlf = raw.find("\r\n", from)) {
    text.append(raw.substr(from, crlf - from));
    from = crlf + 1;
  }
  text.append(raw.substr(from));
  return text;
}

bool LoadFileBytes(const std::string& path, std::size_t maxBytes, std::string& bytes, bool& whole,
                   std::string& error) {
  // Opening a FIFO for reading waits for a writer, and a device may do
  // anything: look at the kind of file first, then open without waiting and
  // look again at what was opened, in case the name changed in between.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    error = std::strerror(errno);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    error = NotRegularReason(info);
    return false;
  }
  const FdCloser file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
  if (file.fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  if (::fstat(file.fd, &info) != 0) {
    error = std::strerror(errno);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    error = NotRegularReason(info);
    return false;
  }
  // O_NONBLOCK has no effect on reading a regular file.
  bytes.clear();
  char buffer[65536];
  while (bytes.size() <= maxBytes) {
    const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = std::strerror(errno);
      return false;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  whole = bytes.size() <= maxBytes;
  if (!whole) bytes.resize(maxBytes);
  return true;
}

bool LoadProfileText(const std::string& path, std::string& text, std::string& error) {
  std::string raw;
  bool whole = true;
  if (!LoadFileBytes(path, std::string::npos - 1, raw, whole, error)) return false;
  text = NormalizeText(raw);
  return true;
}

bool LineReader::Next(std::string_view& line) {
  if (m_pos >= m_text.size()) return false;
  const std::size_t begin = m_pos;
  std::size_t end = begin;
  std::size_t nul = std::string_view::npos;
  while (end < m_text.size()) {
    end = SkipPrintableWords(m_text, end);
    if (end >= m_text.size()) break;
    const auto c = static_cast<unsigned char>(m_text[end++]);
    // Line feed, carriage return and NUL all lie below the first printable.
    if (c > '\r') continue;
    if (c == '\n') break;
    if (c == '\0') {
      if (nul == std::string_view::npos) nul = end - 1;
    } else if (c == '\r') {
      // Carriage returns right before a line feed belong to that line end;
      // any other ends the line by itself.
      std::size_t next = end;
      while (next < m_text.size() && m_text[next] == '\r') ++next;
      if (next < m_text.size() && m_text[next] == '\n') {
        end = next + 1;
      }
      break;
    }
  }
  m_pos = end;
  line = m_text.substr(begin, (nul == std::string_view::npos ? end : nul) - begin);
  return true;
}

std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}
