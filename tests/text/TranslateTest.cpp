// The core's message texts: as written unless a host sets a translation, with
// %1..%9 filled in after translating.
#include <gtest/gtest.h>

#include <string>

#include "text/Translate.h"

namespace {

std::string Reordered(const char* source) {
  return std::string(source) == "A %1 B %2" ? "%2 then %1" : std::string();
}

TEST(Translate, TheHostsTranslationElseTheSourceText) {
  EXPECT_EQ(TranslatedFormat("A %1 B %2", {"x", "y"}), "A x B y");
  SetTextTranslation(Reordered);
  EXPECT_EQ(TranslatedFormat("A %1 B %2", {"x", "y"}), "y then x");
  EXPECT_EQ(std::string(MarkedText{"A %1 B %2"}), "%2 then %1");
  // A text the translation does not know stays as written.
  EXPECT_EQ(Translated("収束しました"), "収束しました");
  SetTextTranslation(nullptr);
  EXPECT_EQ(Translated("A %1 B %2"), "A %1 B %2");
}

TEST(Translate, ArgumentsAreFilledInOnePass) {
  // A path holding "%2" is not filled again; markers without an argument and
  // a lone "%" stay.
  EXPECT_EQ(TranslatedFormat("%1 (%2)", {"/data/50%2.asc", "x"}), "/data/50%2.asc (x)");
  EXPECT_EQ(TranslatedFormat("%1 %3 100%", {"a"}), "a %3 100%");
}

}  // namespace
