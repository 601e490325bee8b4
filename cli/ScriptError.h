#pragma once

#include <stdexcept>

// A bad command or argument; the runner reports it and stops with status 2.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
