#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/ScriptParser.h"
#include "cli/ScriptRunner.h"
#include "commands/Commands.h"
#include "fit/PeakModel.h"
#include "tests/support/LoadedProfile.h"
#include "tests/support/TempFile.h"
#include "text/NumberText.h"
#include "view/ResultFormat.h"

namespace {

TEST(FitScript, FitsAMeasuredPeakAndSavesTheResult) {
  SKIP_WITHOUT_SHARED_DATA();
  const std::string path = "/tmp/tav-fit-script-" + std::to_string(getpid()) + ".dat";
  std::ostringstream out, err;
  ScriptRunner runner(out, err);
  const std::string script =
      "open rigaku \"" + SharedData("AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc") +
      "\"\n"
      "save-result " +
      path +
      "\n"
      "range 26.8 28.0 0 400; peak-mode; peak 27.35 353\n"
      "conditions gauss 0.001\n"
      "fit; fit\n"
      "save-result " +
      path +
      "\n"
      "conditions lorentz 0.001\n";
  ASSERT_EQ(runner.Run(ParseScript(script)), 0) << err.str();

  CTavView& view = runner.view();
  EXPECT_EQ(view.Peaks().m_bFitted, 1);
  EXPECT_NEAR(view.Peaks().m_position[1], 27.35, 0.01);
  EXPECT_NEAR(view.Peaks().m_height[1], 340.0, 30.0);
  EXPECT_NEAR(std::fabs(view.Peaks().m_width[1]), 0.12, 0.04);

  std::istringstream lines(out.str());
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "disabled: save-result");
  int results = 0;
  std::string last;
  for (; std::getline(lines, line); last = line) {
    ASSERT_EQ(line.rfind("message: ", 0), 0u) << line;
    const std::string text = line.substr(9);
    if (text != "収束しました" && text != "収束していません") ++results;
  }
  EXPECT_EQ(results, 2);
  EXPECT_EQ(last, "message: " + NumberText(view.Peaks().m_height[1]));

  // Written with the Gaussian columns the fit used, before the last
  // conditions chose another shape.
  EXPECT_EQ(view.Problem().shape, kLorentzian);
  view.StateForTests().fit.shape = kGaussian;
  EXPECT_EQ(ReadFileBytes(path), FormatFitResult(view));
  unlink(path.c_str());
}

// The messages and view of a script on the NaCl profile, with one peak placed
// at X, Y on the strongest reflection and fitted twice.
struct NaClFit {
  std::vector<std::string> messages;
  std::string state;
};

NaClFit FitNaClPeakTwice(const std::string& x, const std::string& y) {
  std::ostringstream out, err;
  ScriptRunner runner(out, err);
  const std::string script =
      "open rigaku \"" + SharedData("AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc") +
      "\"; range 30.5 33 0 3000; peak-mode; peak " + x + " " + y + "; fit; fit; state";
  EXPECT_EQ(runner.Run(ParseScript(script)), 0) << err.str();
  NaClFit fit{runner.host().messages, {}};
  const std::string text = out.str();
  fit.state = text.substr(text.find("{\"doc\""));
  return fit;
}

TEST(FitScript, RejectedStepIsNotConvergence) {
  SKIP_WITHOUT_SHARED_DATA();
  // From this start the minimiser rejects its first trial steps; a rejected
  // step leaves chi-square as it was and must not end the fit.
  const NaClFit fit = FitNaClPeakTwice("31.40", "800");
  ASSERT_GE(fit.messages.size(), 2u);
  EXPECT_EQ(fit.messages[0], "収束していません");
  const auto firstResult =
      std::find_if(fit.messages.begin(), fit.messages.end(),
                   [](const std::string& m) { return m.find("収束") == std::string::npos; });
  EXPECT_LE(firstResult - fit.messages.begin(), 10);
  EXPECT_NE(*firstResult, "766.");  // the starting height, 800 above the first point's 34
  EXPECT_EQ(fit.state.find("\"m_position\": [31.399999999999999,"), std::string::npos);
}

TEST(FitScript, FitWhoseStepsAreAllAcceptedIsUnchanged) {
  SKIP_WITHOUT_SHARED_DATA();
  // Every step of both fits is accepted: messages and values are those the
  // fit has always given, to the last bit.
  const NaClFit fit = FitNaClPeakTwice("31.70", "2800");
  EXPECT_EQ(fit.messages,
            (std::vector<std::string>{"収束していません", "収束していません", "収束していません",
                                      "収束しました", "2951.562", "収束しました", "2950.7516"}));
  EXPECT_NE(fit.state.find("\"m_height\": [2950.7515939164546, 0,"), std::string::npos);
  EXPECT_NE(fit.state.find("\"m_position\": [31.683984712530741, 0,"), std::string::npos);
  EXPECT_NE(fit.state.find("\"m_width\": [0.088731965249744707, 0,"), std::string::npos);
  EXPECT_NE(fit.state.find("\"m_bgA\": -8.8785787646037466, \"m_bgB\": 262.82329056930797,"),
            std::string::npos);
}

}  // namespace
