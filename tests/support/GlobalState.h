#pragma once

#include <gtest/gtest.h>

#include "commands/Commands.h"
#include "fit/KAlphaDoublet.h"
#include "fit/PeakModel.h"
#include "text/Translate.h"

// The program keeps four things for a whole run: the peak shape g_function,
// the doublet the model evaluates, the fit-conditions dialog's last values
// and the translation of the core's texts. Each test starts from a new run's
// values, whatever the test before it left.
class GlobalStateGuard : public ::testing::EmptyTestEventListener {
 public:
  static void Reset() {
    g_function = kLorentzian;
    g_doublet = DoubletLines{};
    ForgetFitConditions();
    SetTextTranslation(nullptr);
  }
  void OnTestStart(const ::testing::TestInfo&) override { Reset(); }
  void OnTestEnd(const ::testing::TestInfo&) override { Reset(); }
};

inline void InstallGlobalStateGuard() {
  ::testing::UnitTest::GetInstance()->listeners().Append(new GlobalStateGuard);
}
