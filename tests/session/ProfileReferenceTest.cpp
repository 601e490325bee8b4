// The profile reference of a session: SHA-256 against the standard's test
// vectors, and the paths and size of a file.
#include <gtest/gtest.h>

#include <string>

#include "session/ProfileReference.h"
#include "tests/support/TempFile.h"

namespace {

TEST(ProfileReference, Sha256OfTheStandardVectors) {
  EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(Sha256Hex(std::string(1000000, 'a')),
            "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(ProfileReference, PathsSizeAndDigestOfAFile) {
  const std::string profile = WriteTempFile("reference_profile.xy", "abc");
  std::string error;
  const auto reference = ReferenceProfile(profile, ::testing::TempDir() + "s/work.tav", error);
  ASSERT_TRUE(reference) << error;
  EXPECT_EQ(reference->relativePath, "../reference_profile.xy");
  EXPECT_EQ(reference->absolutePath.back(), 'y');
  EXPECT_EQ(reference->absolutePath.front(), '/');
  EXPECT_EQ(reference->size, 3u);
  EXPECT_EQ(reference->sha256.substr(0, 8), "ba7816bf");
  EXPECT_FALSE(ReferenceProfile(profile + ".missing", "work.tav", error));
  EXPECT_NE(error.find(".missing"), std::string::npos);
}

}  // namespace
