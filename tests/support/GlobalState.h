#pragma once

#include <gtest/gtest.h>

#include "text/Translate.h"

// The one thing the program keeps for a whole run is the translation of the
// core's texts. Each test starts from a new run's value, whatever the test
// before it left.
class GlobalStateGuard : public ::testing::EmptyTestEventListener {
 public:
  static void Reset() { SetTextTranslation(nullptr); }
  void OnTestStart(const ::testing::TestInfo&) override { Reset(); }
  void OnTestEnd(const ::testing::TestInfo&) override { Reset(); }
};

inline void InstallGlobalStateGuard() {
  ::testing::UnitTest::GetInstance()->listeners().Append(new GlobalStateGuard);
}
