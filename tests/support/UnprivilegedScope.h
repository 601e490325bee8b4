#pragma once

#include <unistd.h>

#include <cstdlib>

// While alive, file permissions apply to this process even when it runs as
// root: the effective user becomes "nobody".
class UnprivilegedScope {
 public:
  UnprivilegedScope() : m_dropped(::geteuid() == 0 && ::seteuid(65534) == 0) {}
  ~UnprivilegedScope() {
    if (m_dropped && ::seteuid(0) != 0) std::abort();
  }
  UnprivilegedScope(const UnprivilegedScope&) = delete;
  UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;

  // Whether permission checks apply now (false only when root could not
  // give up its rights).
  bool Applies() const { return ::geteuid() != 0; }

 private:
  bool m_dropped;
};
