#include "session/ProfileReference.h"

#include <openssl/evp.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace fs = std::filesystem;

std::string Sha256Hex(const std::string& bytes) {
  std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
  unsigned int length = 0;
  const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(),
                                                                        EVP_MD_CTX_free);
  if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1 ||
      EVP_DigestUpdate(context.get(), bytes.data(), bytes.size()) != 1 ||
      EVP_DigestFinal_ex(context.get(), digest.data(), &length) != 1) {
    return {};
  }
  std::string hex;
  char pair[3];
  for (unsigned int i = 0; i < length; ++i) {
    std::snprintf(pair, sizeof pair, "%02x", digest[i]);
    hex += pair;
  }
  return hex;
}

std::optional<ProfileReference> ReferenceProfile(const std::string& profilePath,
                                                 const std::string& sessionPath,
                                                 std::string& error) {
  std::ifstream in(profilePath, std::ios::binary);
  if (!in) {
    error = "cannot read " + profilePath;
    return std::nullopt;
  }
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) {
    error = "cannot read " + profilePath;
    return std::nullopt;
  }
  std::error_code ec;
  const fs::path absolute = fs::absolute(profilePath, ec).lexically_normal();
  const fs::path folder = fs::absolute(sessionPath, ec).lexically_normal().parent_path();
  ProfileReference reference;
  reference.absolutePath = absolute.string();
  reference.relativePath = absolute.lexically_relative(folder).string();
  reference.size = bytes.size();
  reference.sha256 = Sha256Hex(bytes);
  return reference;
}
