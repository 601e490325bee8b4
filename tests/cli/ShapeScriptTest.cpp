// The mixed shapes, the doublet and the starting widths through tav-cli's
// commands: the report, the result file and the state they give, the doublet
// refused without wavelengths, and fits of measured profiles.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "tests/support/ScriptRun.h"
#include "tests/support/SharedData.h"
#include "tests/support/TempFile.h"

namespace {

const std::string kSample = std::string("open rigaku \"") + TAV_SOURCE_DIR + "/data/sample.asc\"\n";

std::string Line(const std::string& text, const std::string& prefix) {
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind(prefix, 0) == 0) return line;
  }
  return "";
}

int Fields(const std::string& line, char separator) {
  int n = line.empty() ? 0 : 1;
  for (const char c : line) n += c == separator;
  return n;
}

TEST(ShapeScript, PseudoVoigtFitReportResultFileAndState) {
  const std::string result = ::testing::TempDir() + "pvoigt_result.dat";
  const ScriptOutcome run = RunScript(kSample +
                                      "range 46.5 48 0 3000; peak-mode; peak 47.3 2700\n"
                                      "conditions pvoigt 0.001; fit; report; save-result \"" +
                                      result + "\"; state");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Fields(Line(run.out, "1,pvoigt,"), ','), 20);
  EXPECT_NE(Line(run.out, "1,pvoigt,").find(",,"), std::string::npos);  // no wavelength
  const std::string file = ReadFileBytes(result);
  EXPECT_EQ(file.rfind("Height, Position, Width, Eta\n", 0), 0u);
  std::istringstream lines(file);
  std::string header, row;
  std::getline(lines, header);
  std::getline(lines, row);
  EXPECT_EQ(Fields(row, ','), 4);
  const std::string state = Line(run.out, "{\"doc\"");
  EXPECT_NE(state.find("\"g_function\": 2"), std::string::npos);
  EXPECT_NE(state.find("\"m_shapeParam\": [0."), std::string::npos);
  EXPECT_NE(state.find(", 0, 0, 0, 0, 0, 0, 0, 0, 0], \"doublet\": false}"), std::string::npos);
}

TEST(ShapeScript, DoubletNeedsBothWavelengthsAndOtherwiseChangesNothing) {
  const std::string refusal =
      "message: Kα1/Kα2 の二重線には波長 λ1 と λ2 "
      "が必要です。波長・Scherrer設定で入力してください。\n";
  const ScriptOutcome refused = RunScript(kSample + "wavelength 1.5406; doublet on 0.45; state");
  EXPECT_EQ(refused.status, 0);
  EXPECT_EQ(refused.out.rfind(refusal, 0), 0u) << refused.out;
  EXPECT_NE(refused.out.find("\"doublet\": false"), std::string::npos);

  const ScriptOutcome on = RunScript(kSample +
                                     "wavelength 1.540593 1.544426; doublet on 0.45; state\n"
                                     "range 46.5 48 0 3000; peak-mode; peak 47.3 2700\n"
                                     "conditions gauss 0.001; fit; report; doublet off; state");
  ASSERT_EQ(on.status, 0) << on.err;
  EXPECT_EQ(on.out.find("message: Kα1"), std::string::npos);
  EXPECT_NE(on.out.find("\"doublet\": true"), std::string::npos);
  EXPECT_NE(Line(on.out, "1,gauss,"), "");
  EXPECT_NE(on.out.rfind("\"doublet\": false"), std::string::npos);

  // A profile without wavelengths opened while the option is on: the fit
  // refuses and fits nothing.
  const ScriptOutcome lost =
      RunScript(kSample + "wavelength 1.540593 1.544426; doublet on\n" + kSample +
                "range 46.5 48 0 3000; peak-mode; peak 47.3 2700; fit; state");
  ASSERT_EQ(lost.status, 0) << lost.err;
  EXPECT_NE(lost.out.find(refusal), std::string::npos) << lost.out;
  EXPECT_NE(lost.out.find("\"m_bFitted\": 0"), std::string::npos);
}

// Chi-square of the last fit-stats line.
double Chisq(const std::string& out) {
  const std::string stats = Line(out, "{\"npt\"");
  const std::size_t at = stats.find("\"chisq\": ");
  return at == std::string::npos ? -1 : std::stod(stats.substr(at + 9));
}

TEST(ShapeScript, PseudoVoigtFitsAMeasuredPeakBetterThanGaussianOrLorentzian) {
  SKIP_WITHOUT_SHARED_DATA();
  const std::string open = "open rigaku \"" +
                           SharedData("AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc") +
                           "\"\nrange 30.8 32.6 0 3000; peak-mode; peak 31.69 2816\n";
  double chisq[3];
  const char* shapes[] = {"gauss", "lorentz", "pvoigt"};
  for (int s = 0; s < 3; ++s) {
    const ScriptOutcome run =
        RunScript(open + "conditions " + shapes[s] + " 0.0001; fit; fit; fit; fit-stats");
    ASSERT_EQ(run.status, 0) << run.err;
    chisq[s] = Chisq(run.out);
    ASSERT_GT(chisq[s], 0) << shapes[s];
  }
  EXPECT_LT(chisq[2], 0.6 * chisq[0]);
  EXPECT_LT(chisq[2], 0.6 * chisq[1]);
}

// Two peaks double-clicked in a wide range: from a tenth of the span the
// fit wanders off; from the half widths measured in the data it converges.
TEST(ShapeScript, StartingWidthsFromTheDataLetTwoPeakFitsOfMeasuredProfilesConverge) {
  SKIP_WITHOUT_SHARED_DATA();
  struct Case {
    const char* file;
    const char* placing;
  };
  const Case cases[] = {
      {"AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc",
       "range 25 50 0 3000; peak-mode; dblclick 247 61; dblclick 549 230"},
      {"AE4895-Measurement_strategies__XRD_NaBr_Theta_2-Theta.asc",
       "range 24 44 0 3600; peak-mode; dblclick 253 61; dblclick 610 244"},
  };
  for (const Case& c : cases) {
    for (const char* widths : {"range", "data"}) {
      const ScriptOutcome run =
          RunScript("open rigaku \"" + SharedData(c.file) + "\"\ninitial-width " + widths + "\n" +
                    c.placing + "\nconditions lorentz 0.001; fit; fit-stats");
      ASSERT_EQ(run.status, 0) << run.err;
      const bool fromData = std::string(widths) == "data";
      EXPECT_EQ(Line(run.out, "{\"npt\"").find("\"converged\": true") != std::string::npos,
                fromData)
          << c.file << " " << widths;
    }
  }
}

}  // namespace
