#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

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

  // Written with the Gaussian columns the fit used.
  g_function = 0;
  EXPECT_EQ(ReadFileBytes(path), FormatFitResult(view));
  unlink(path.c_str());
}

}  // namespace
