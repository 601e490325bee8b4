#pragma once

#include <cstdio>
#include <cstdlib>

// Stops the process when a property of the code under test does not hold, so
// that libFuzzer keeps the input as a crash and a replay fails.
#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (0)
