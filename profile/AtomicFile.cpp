#include "profile/AtomicFile.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool WriteAll(int fd, const std::string& contents) {
  std::size_t done = 0;
  while (done < contents.size()) {
    const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Past the file-size limit (ulimit -f) a write raises SIGXFSZ, which kills
// the process unless it is ignored; ignored, the write fails with EFBIG and
// is reported like any other failure. A handler the program installed itself
// is left in place.
void IgnoreFileSizeSignal() {
  static const bool done = [] {
    struct sigaction current {};
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && !(current.sa_flags & SA_SIGINFO) &&
        current.sa_handler == SIG_DFL) {
      ::signal(SIGXFSZ, SIG_IGN);
    }
    return true;
  }();
  (void)done;
}

}  // namespace

bool WriteFileReplacing(const std::string& path, const std::string& contents, std::string& error) {
  if (path.empty()) {
    error = "empty file name";
    return false;
  }
  IgnoreFileSizeSignal();
  std::string pattern = DirectoryOf(path) + "/.tav-save-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  const bool written = WriteAll(fd, contents) && ::fsync(fd) == 0;
  const int writeErrno = errno;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    error = std::strerror(written ? errno : writeErrno);
    ::unlink(name.data());
    return false;
  }
  // mkstemp creates the file 0600; give the result the usual permissions.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::chmod(name.data(), 0666 & ~mask);
  if (::rename(name.data(), path.c_str()) != 0) {
    error = std::strerror(errno);
    ::unlink(name.data());
    return false;
  }
  return true;
}
