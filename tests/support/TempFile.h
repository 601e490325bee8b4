#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

// Writes contents byte for byte to a file in the test's temporary folder and
// returns its path.
inline std::string WriteTempFile(const std::string& name, const std::string& contents) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << contents;
  return path;
}

// The whole contents of a file, byte for byte ("" when it cannot be read).
inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}
