#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

#include "profile/TavDoc.h"

namespace {

TEST(TavDoc, CountBeyondTheLimitIsRefusedBeforeAnythingChanges) {
  CTavDoc doc;
  doc.SetCounts({7, 8}, 2);
  EXPECT_THROW(doc.SetCounts({7, 8}, CTavDoc::kMaxPoints + 1), std::length_error);
  EXPECT_EQ(doc.m_nData, 2);
  EXPECT_EQ(doc.m_y.size(), 3u);
  // One past the last index still fits in an int.
  static_assert(CTavDoc::kMaxPoints < INT_MAX);
}

}  // namespace
