#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct zip;

// A zip archive read from bytes in memory (RASX and BRML files are zip
// archives of text and XML). Construction throws ProfileFormatError when the
// bytes are no archive the zip library can read.
class ZipArchive {
 public:
  // The bytes must outlive the archive.
  explicit ZipArchive(std::string_view bytes);
  ~ZipArchive();
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  // Whether the archive has a member of this exact name.
  bool Has(const std::string& name) const;
  // The names of the members, in directory order.
  std::vector<std::string> Names() const;
  // The member's bytes. A missing member, one whose size the directory states
  // above maxBytes, one that holds more than the directory states (the
  // reading stops right there), and one that cannot be decompressed throw
  // ProfileFormatError.
  std::string Read(const std::string& name, std::size_t maxBytes) const;

 private:
  struct zip* m_archive = nullptr;
};

// Whether bytes start as a zip archive does (a local file header, or the end
// record of an empty archive).
bool LooksLikeZip(std::string_view bytes);
