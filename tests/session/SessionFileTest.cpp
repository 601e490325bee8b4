// Session files: what a fresh process restores from them (state, report,
// correlations and the rendered plot, byte for byte), profiles that moved or
// changed, files kept from the first version, and refusals that change
// nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "session/ProfileJson.h"
#include "tests/support/CliRun.h"
#include "tests/support/ScriptRun.h"
#include "tests/support/SharedData.h"
#include "tests/support/TempFile.h"

namespace fs = std::filesystem;

namespace {

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// The commands whose output a session must reproduce, rendering to png.
std::string Looks(const std::string& png) {
  return "; state; report; fit-stats; correlations; calibrate list; info; render " + Quoted(png);
}

// Sets up a session with script, saves it, and opens it in another process:
// both print the same and render the same picture.
void ExpectRoundTrip(const std::string& script, const std::string& name, bool embed = false) {
  const std::string folder = ::testing::TempDir() + name;
  fs::create_directories(folder);
  const std::string session = folder + "/saved.tav";
  const CliRun saved = RunCli("-e '" + script + "; save-session " + Quoted(session) +
                              (embed ? " embed" : "") + Looks(folder + "/before.png") + "'");
  ASSERT_EQ(saved.status, 0) << saved.err;
  const CliRun opened =
      RunCli("-e 'open-session " + Quoted(session) + Looks(folder + "/after.png") + "'");
  ASSERT_EQ(opened.status, 0) << opened.err;
  // The first process's messages (a fit's, a search's) came before the save.
  const std::string looks = saved.out.substr(saved.out.find("{\"doc\""));
  EXPECT_EQ(opened.out, looks) << name;
  if (opened.out != looks) {
    std::size_t at = 0;
    while (at < looks.size() && opened.out[at] == looks[at]) ++at;
    ADD_FAILURE() << name << " differs from byte " << at << ": " << looks.substr(at, 200);
  }
  EXPECT_EQ(ReadFileBytes(folder + "/after.png"), ReadFileBytes(folder + "/before.png")) << name;
}

std::string SharedOpen(const char* file) { return "open auto " + Quoted(SharedData(file)); }

constexpr const char* kNaCl = "AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc";
constexpr const char* kLaB6 = "GSAS-II__11bmb_3844_LaB6_SRM660a.xye";

// The work kept in tests/session/version1.tav (saved with embed), after
// "open xy" of the profile Version1Profile gives.
constexpr const char* kVersion1Script =
    "range 20 30 0 2000; peak-mode; peak 24 1000; peak 26.5 500; conditions gauss 0.001; "
    "step-messages off; fit; fit; fit";

std::string Version1Profile() {
  std::string profile;
  for (int i = 0; i < 200; ++i) {
    const double x = 20 + 0.05 * i;
    const double u = (x - 24) / 0.3, v = (x - 26.5) / 0.4;
    char line[64];
    std::snprintf(line, sizeof line, "%.2f %.0f\n", x,
                  100 + 0.5 * i + 900 * std::exp(-u * u) + 400 * std::exp(-v * v));
    profile += line;
  }
  return profile;
}

}  // namespace

TEST(SessionFile, EveryPartOfTheStateComesBackInAFreshProcess) {
  SKIP_WITHOUT_SHARED_DATA();
  const std::string nacl = SharedOpen(kNaCl) + "; range 31 33.5 0 100000; peak-mode; ";
  // Each shape, with counting weights and the doublet, and a search's peaks.
  const char* shapes[] = {"gauss", "lorentz", "pvoigt", "pearson7", "spvoigt"};
  for (const char* shape : shapes) {
    ExpectRoundTrip(nacl + "find-peaks 2; conditions " + shape +
                        " 0.001; step-messages off; weights counts; doublet on; fit; fit; fit",
                    std::string("shape_") + shape);
  }
  // Constraints, a bound and a shared width; the plot's options; a zoom.
  ExpectRoundTrip(SharedOpen(kNaCl) +
                      "; range 26 34 0 100000; find-peaks 2; conditions pvoigt 0.0001; "
                      "step-messages off; share width; fix 1 eta; bound 2 height 0 100000; fit; "
                      "fit; view ticks on; view grid on; "
                      "view residuals on; view scale sqrt; view size 640 420; wheel 300 200 1",
                  "constraints");
  // More than ten peaks, then a calibration with a phase on them.
  ExpectRoundTrip(
      SharedOpen(kLaB6) +
          "; wavelength 0.413; max-peaks 20; range 5.5 25 0 100000; find-peaks 16; "
          "conditions pvoigt 0.0001; step-messages off; fit; fit; fit; calibrate add; "
          "calibrate fit; instrument use on; lattice cubic 4.1568; lattice refine zero; "
          "lattice correct on; goniometer-radius 240",
      "sixteen_peaks");
  // A background series of order 3 with a held term, then the view zoomed
  // away from the window the series was fitted over.
  ExpectRoundTrip(SharedOpen(kNaCl) +
                      "; range 25 60 0 100000; find-peaks 4; conditions pvoigt 0.0001; "
                      "step-messages off; background-order 3; fix background c2; fit; fit; fit; "
                      "range 30 50 0 5000",
                  "background_series");
  // A Chebyshev background with a held term, the modern view and the
  // detailed message after a fit.
  ExpectRoundTrip(SharedOpen("rigakuXRD__2Theta.asc") +
                      "; range 20 60 0 100000; find-peaks 2; conditions pvoigt 0.001; "
                      "step-messages off; background-order 3; fit; fit; view style modern; "
                      "fit-message detailed; fix background c2",
                  "modern_background");
  // A background estimate shown, the classic Lorentzian fit, embedded.
  ExpectRoundTrip(nacl + "peak 31.7 2800; background; fit; fit", "classic_embedded", true);
}

TEST(SessionFile, CorrectedPointsAreKeptInTheFileAndNeedNoProfile) {
  SKIP_WITHOUT_SHARED_DATA();
  const std::string folder = ::testing::TempDir() + "corrected/";
  fs::create_directories(folder);
  fs::copy_file(SharedData(kNaCl), folder + "nacl.asc", fs::copy_options::overwrite_existing);
  const std::string setup = "open auto " + Quoted(folder + "nacl.asc") +
                            "; range 30 35 0 100000; background; subtract-background; polarize";
  const CliRun saved =
      RunCli("-e '" + setup + "; save-session " + Quoted(folder + "s.tav") + "; state'");
  ASSERT_EQ(saved.status, 0) << saved.err;
  fs::remove(folder + "nacl.asc");
  const CliRun opened = RunCli("-e 'open-session " + Quoted(folder + "s.tav") + "; state'");
  EXPECT_EQ(opened.out, saved.out.substr(saved.out.find("{\"doc\"")));
}

TEST(SessionFile, AMovedProfileIsFoundBesideTheSessionAndAChangedOneWarns) {
  SKIP_WITHOUT_SHARED_DATA();
  const std::string here = ::testing::TempDir() + "moved_from/";
  const std::string there = ::testing::TempDir() + "moved_to/";
  fs::create_directories(here);
  fs::create_directories(there);
  fs::copy_file(SharedData(kNaCl), here + "nacl.asc", fs::copy_options::overwrite_existing);
  const ScriptOutcome saved = RunScript("open auto " + Quoted(here + "nacl.asc") +
                                        "; range 31 33.5 0 100000; peak 31.7 2800; fit; "
                                        "save-session " +
                                        Quoted(here + "s.tav") + "; state");
  ASSERT_EQ(saved.status, 0) << saved.err;
  const std::string state = saved.out.substr(saved.out.find("{\"doc\""));
  // Both moved to another folder: found there by name.
  fs::rename(here + "nacl.asc", there + "nacl.asc");
  fs::copy_file(here + "s.tav", there + "s.tav", fs::copy_options::overwrite_existing);
  const ScriptOutcome moved = RunScript("open-session " + Quoted(there + "s.tav") + "; state");
  EXPECT_EQ(moved.out, state);
  // Not found anywhere: refused, naming the path it was saved with.
  const ScriptOutcome missing = RunScript("open-session " + Quoted(here + "s.tav") + "; state");
  EXPECT_NE(missing.out.find("プロファイルが見つかりません: " + here + "nacl.asc"),
            std::string::npos)
      << missing.out;
  EXPECT_NE(missing.out.find("\"m_nData\": 0,"), std::string::npos);
  // A changed byte: opened with a warning that the fit may not be its own.
  std::string bytes = ReadFileBytes(there + "nacl.asc");
  bytes.replace(bytes.find("NaCl"), 4, "NaCI");
  WriteTempFile("moved_to/nacl.asc", bytes);
  const ScriptOutcome changed = RunScript("open-session " + Quoted(there + "s.tav") + "; state");
  EXPECT_NE(changed.out.find("プロファイルがセッションの保存後に変わっています"), std::string::npos)
      << changed.out;
  EXPECT_NE(changed.out.find(state), std::string::npos);
}

// A session of the first version, kept as it was written: it must stay
// readable, giving the state the same work gives today (classic Gaussian fit,
// whose digits never change).
TEST(SessionFile, AFileOfTheFirstVersionStaysReadable) {
  const std::string kept = std::string(TAV_SOURCE_DIR) + "/tests/session/version1.tav";
  const ScriptOutcome opened = RunScript("open-session " + Quoted(kept) + "; state; report");
  ASSERT_EQ(opened.status, 0) << opened.err;
  EXPECT_EQ(opened.out.find("message"), std::string::npos) << opened.out;
  EXPECT_NE(opened.out.find("\"m_nPeak\": 2,"), std::string::npos) << opened.out;
  // The same work done now.
  const std::string path = WriteTempFile("version1.xy", Version1Profile());
  const ScriptOutcome redone =
      RunScript("open xy " + path + "; " + kVersion1Script + "; state; report");
  EXPECT_EQ(opened.out, redone.out.substr(redone.out.find("{\"doc\"")));
}

// Each bad file is refused with a message naming what is wrong, and the
// session open before stays as it was.
TEST(SessionFile, BadFilesAreRefusedNamingTheFaultAndChangeNothing) {
  const std::string profile = WriteTempFile("refusals.xy", Version1Profile());
  const std::string setup = std::string("open xy ") + profile + "; " + kVersion1Script;
  const std::string good = ::testing::TempDir() + "good.tav";
  ASSERT_EQ(RunScript(setup + "; save-session " + Quoted(good)).status, 0);
  const std::string text = ReadFileBytes(good);
  const auto edited = [&text](const std::string& from, const std::string& to) {
    std::string copy = text;
    const std::size_t at = copy.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? copy : copy.replace(at, from.size(), to);
  };
  const struct {
    const char* name;
    std::string contents;
    const char* message;
  } cases[] = {
      {"newer.tav", edited("\"version\": 1", "\"version\": 2"), "新しい版のセッションファイルです"},
      {"truncated.tav", text.substr(0, text.size() / 2), "JSON として読めません"},
      {"capacity.tav", edited("\"count\": 2", "\"count\": 201"), "view.peaks.count が範囲外です"},
      {"shape.tav", edited("\"shape\": \"gauss\"", "\"shape\": \"voigt\""),
       "view.fit.shape が不明です: voigt"},
      {"nan.tav", edited("\"tolerance\": 0.001", "\"tolerance\": \"nan\""),
       "view.fit.tolerance の値が正しくありません"},
      {"missing.tav", edited("\"plot\"", "\"plots\""), "plot がありません"},
      {"other.tav", "{\"format\": \"something\"}", "tav のセッションファイルではありません"},
      {"empty.tav", "", "JSON として読めません"},
  };
  for (const auto& c : cases) {
    const std::string path = WriteTempFile(c.name, c.contents);
    const ScriptOutcome run =
        RunScript(setup + "; state; open-session " + Quoted(path) + "; state; undo; state");
    const std::string refusal = std::string("セッションを開けません: ") + path;
    EXPECT_NE(run.out.find(refusal), std::string::npos) << c.name << run.out;
    EXPECT_NE(run.out.find(c.message), std::string::npos) << c.name << run.out;
    // The state after the refusal is the one before, and no step was made:
    // undo takes back the fit before it.
    const std::size_t first = run.out.find("{\"doc\"");
    const std::size_t second = run.out.find("{\"doc\"", first + 1);
    const std::size_t third = run.out.find("{\"doc\"", second + 1);
    ASSERT_NE(third, std::string::npos) << c.name;
    const std::string before = run.out.substr(first, run.out.find('\n', first) - first);
    const std::string after = run.out.substr(second, run.out.find('\n', second) - second);
    EXPECT_EQ(before, after) << c.name;
    EXPECT_NE(run.out.substr(third).substr(0, before.size()), before) << c.name;
  }
}

TEST(SessionFile, OpeningIsOneStepThatUndoTakesBack) {
  const std::string profile = WriteTempFile("undo.xy", Version1Profile());
  const std::string saved = ::testing::TempDir() + "undo.tav";
  ASSERT_EQ(RunScript(std::string("open xy ") + profile + "; " + kVersion1Script +
                      "; save-session " + Quoted(saved))
                .status,
            0);
  const ScriptOutcome run =
      RunScript(std::string("open xy ") + profile + "; range 21 22 0 500; state; open-session " +
                Quoted(saved) + "; undo; state; redo; report");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::size_t first = run.out.find("{\"doc\"");
  const std::size_t second = run.out.find("{\"doc\"", first + 1);
  EXPECT_EQ(run.out.substr(first, run.out.find('\n', first) - first),
            run.out.substr(second, run.out.find('\n', second) - second));
  EXPECT_NE(run.out.find("1,gauss,"), std::string::npos) << run.out;
}

TEST(SessionFile, TheScansStartTimeIsKeptWithEmbeddedPointsAndLeftOutWhenUnknown) {
  CTavDoc doc;
  doc.SetPoints({10.0, 10.5, 11.0}, {5.0, 50.0, 5.0});
  doc.m_startTime = 1604686177.25;
  const Json json = ProfileJson(doc, "", true);
  ASSERT_TRUE(json.contains("start_time"));
  const SavedProfile saved = SavedProfileOf(Field(json, "profile"));
  EXPECT_EQ(saved.header.m_startTime, 1604686177.25);
  ASSERT_TRUE(saved.points);
  EXPECT_EQ(saved.points->m_startTime, 1604686177.25);

  doc.m_startTime.reset();
  EXPECT_FALSE(ProfileJson(doc, "", true).contains("start_time"));
  EXPECT_FALSE(SavedProfileOf(Field(ProfileJson(doc, "", true), "profile")).header.m_startTime);
}
