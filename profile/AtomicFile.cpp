#include "profile/AtomicFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kMaxLinkHops = 40;

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

// The file that path names, symbolic links followed; the last target need
// not exist yet.
bool FollowLinks(std::string path, std::string& target, std::string& error) {
  for (int hops = 0;; ++hops) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
      target = path;
      return true;
    }
    if (hops == kMaxLinkHops) {
      error = std::strerror(ELOOP);
      return false;
    }
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
    if (n < 0 || n == static_cast<ssize_t>(sizeof buffer)) {
      error = std::strerror(n < 0 ? errno : ENAMETOOLONG);
      return false;
    }
    const std::string link(buffer, static_cast<std::size_t>(n));
    path = link.starts_with('/') ? link : DirectoryOf(path) + "/" + link;
  }
}

// The permissions of a new file: 0666 less the umask.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Writes contents over the existing file itself, which keeps its inode (so
// its hard links, owner and permissions), but a failure part way leaves it
// damaged. The old contents are overwritten first and the rest cut off after.
bool WriteInPlace(const std::string& target, const std::string& contents, std::string& error) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  const bool written = WriteAll(fd, contents) &&
                       ::ftruncate(fd, static_cast<off_t>(contents.size())) == 0 &&
                       ::fsync(fd) == 0;
  const int writeErrno = errno;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    error = std::strerror(written ? errno : writeErrno);
    return false;
  }
  return true;
}

// Writes contents to a new temporary file beside target with the given
// permissions and renames it over target.
bool WriteThroughTemporary(const std::string& target, int fd, std::vector<char>& name, mode_t mode,
                           const std::string& contents, std::string& error) {
  const bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, contents) && ::fsync(fd) == 0;
  const int writeErrno = errno;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    error = std::strerror(written ? errno : writeErrno);
    ::unlink(name.data());
    return false;
  }
  if (::rename(name.data(), target.c_str()) != 0) {
    error = std::strerror(errno);
    ::unlink(name.data());
    return false;
  }
  return true;
}

}  // namespace

bool WriteFileReplacing(const std::string& path, const std::string& contents, std::string& error) {
  if (path.empty()) {
    error = "empty file name";
    return false;
  }
  IgnoreFileSizeSignal();
  std::string target;
  if (!FollowLinks(path, target, error)) return false;

  struct stat existing {};
  const bool regular = ::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
  if (regular && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
    error = std::strerror(errno);
    return false;
  }
  if (regular && existing.st_nlink > 1) return WriteInPlace(target, contents, error);

  const std::string pattern = DirectoryOf(target) + "/.tav-save-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) {
    // A folder the user may not write in: the file itself may still be.
    if (regular && (errno == EACCES || errno == EPERM)) {
      return WriteInPlace(target, contents, error);
    }
    error = std::strerror(errno);
    return false;
  }
  const mode_t mode = regular ? existing.st_mode & 07777 : NewFileMode();
  return WriteThroughTemporary(target, fd, name, mode, contents, error);
}
