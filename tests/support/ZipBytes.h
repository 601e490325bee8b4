#pragma once

#include <gtest/gtest.h>
#include <unistd.h>
#include <zip.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/TempFile.h"

// A zip archive of the members (name, contents), deflated, as bytes. The
// archive is made in a file of this process's own: ctest runs tests in
// parallel processes.
inline std::string ZipBytes(const std::vector<std::pair<std::string, std::string>>& members) {
  const std::string path =
      ::testing::TempDir() + "tav_zip_bytes_" + std::to_string(getpid()) + ".zip";
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  EXPECT_NE(archive, nullptr);
  if (archive == nullptr) return {};
  for (const auto& [name, contents] : members) {
    zip_source_t* source = zip_source_buffer(archive, contents.data(), contents.size(), 0);
    const zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE);
    EXPECT_GE(index, 0);
    zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 9);
  }
  EXPECT_EQ(zip_close(archive), 0);
  std::string bytes = ReadFileBytes(path);
  std::remove(path.c_str());
  return bytes;
}

// Rewrites the uncompressed size that the local header and the central
// directory state for every member, as a hostile archive may.
inline std::string WithStatedSize(std::string zip, std::uint32_t size) {
  const auto put = [&zip, size](std::size_t at) {
    for (int i = 0; i < 4; ++i) zip[at + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
  };
  for (std::size_t at = zip.find("PK\x03\x04"); at != std::string::npos;
       at = zip.find("PK\x03\x04", at + 4)) {
    put(at + 22);
  }
  for (std::size_t at = zip.find("PK\x01\x02"); at != std::string::npos;
       at = zip.find("PK\x01\x02", at + 4)) {
    put(at + 24);
  }
  return zip;
}
