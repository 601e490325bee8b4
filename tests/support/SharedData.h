#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// The measured profiles of real instruments live outside the project, in the
// folder TAV_SHARED_DATA names; a clone without it skips the tests that read
// them, saying why.

inline bool HaveSharedData() { return std::filesystem::is_directory(TAV_SHARED_DATA); }

// Path of a measured profile in the shared data folder.
inline std::string SharedData(const std::string& name) {
  return std::string(TAV_SHARED_DATA) + "/" + name;
}

#define SKIP_WITHOUT_SHARED_DATA()                                  \
  if (!HaveSharedData())                                            \
  GTEST_SKIP() << "measured profiles not found in " TAV_SHARED_DATA \
                  " (configure with -DTAV_SHARED_DATA=FOLDER to run this test)"
