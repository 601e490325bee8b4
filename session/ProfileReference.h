#pragma once

#include <cstdint>
#include <optional>
#include <string>

// How a saved session names the profile it was made from: where it was
// (absolute, and relative to the session file's folder), how large it was
// and the SHA-256 of its bytes, so that a moved or changed file is noticed.
struct ProfileReference {
  std::string absolutePath;
  std::string relativePath;
  std::uintmax_t size = 0;
  std::string sha256;  // 64 lower-case hexadecimal digits
};

// The SHA-256 of bytes as 64 lower-case hexadecimal digits.
std::string Sha256Hex(const std::string& bytes);

// The reference of the profile file at profilePath for a session saved at
// sessionPath; none when the file cannot be read (error says why).
std::optional<ProfileReference> ReferenceProfile(const std::string& profilePath,
                                                 const std::string& sessionPath,
                                                 std::string& error);
