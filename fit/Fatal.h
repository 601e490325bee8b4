#pragma once

#include <stdexcept>
#include <string>

// An unrecoverable failure of the numeric routines (singular matrix,
// inconsistent parameter list, refused allocation). what() is the routine's
// short English message.
class FitFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reports an unrecoverable failure to the caller by throwing FitFailure with
// the message; never returns. Routines release what they hold while unwinding.
[[noreturn]] void fatal(const std::string& message);
