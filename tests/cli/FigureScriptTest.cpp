#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <QString>
#include <cstdio>
#include <string>

#include "tests/support/ScriptRun.h"
#include "tests/support/TempFile.h"

// The modern view's options from a script: they leave the classic picture
// and state as they were until asked for, and the detailed fit message.

namespace {

const std::string kSample = std::string(TAV_SOURCE_DIR) + "/data/sample.asc";
const std::string kFitScript = "open rigaku " + kSample +
                               "; range 46 48.6 0 2800; peak-mode; peak 47.3 2600; "
                               "step-messages off; ";

QImage Rendered(const std::string& options, const std::string& name) {
  const std::string png = WriteTempFile(name + ".png", "");
  const ScriptOutcome run = RunScript(kFitScript + "fit; " + options + "render " + png);
  EXPECT_EQ(run.status, 0) << run.err;
  return QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
}

// The smallest rectangle holding every pixel where the pictures differ.
QRect Differences(const QImage& a, const QImage& b) {
  QRect box;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

}  // namespace

TEST(FigureScript, TheClassicStyleGivesBackTheClassicPictureAndState) {
  const std::string plain = WriteTempFile("classic-plain.png", "");
  const std::string back = WriteTempFile("classic-back.png", "");
  const ScriptOutcome run = RunScript(kFitScript + "fit; state; render " + plain +
                                      "; view style modern; state; view style classic; state; "
                                      "render " +
                                      back);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(plain), ReadFileBytes(back));
  const std::size_t first = run.out.find("{\"doc\"");
  const std::size_t second = run.out.find("{\"doc\"", first + 1);
  const std::size_t third = run.out.find("{\"doc\"", second + 1);
  const std::string before = run.out.substr(first, second - first);
  const std::string modern = run.out.substr(second, third - second);
  EXPECT_EQ(before, run.out.substr(third));
  EXPECT_EQ(before.find("\"style\""), std::string::npos);
  EXPECT_NE(modern.find(", \"style\": \"modern\", \"titles\": true, \"legend\": true}"),
            std::string::npos)
      << modern;
}

// The legend stays in the plot window's top-right corner, the titles
// outside the plot window.
TEST(FigureScript, TheLegendAndTheTitlesKeepToTheirPlaces) {
  const QImage plain = Rendered("", "places-plain");
  const QImage legend = Rendered("view legend on; ", "places-legend");
  const QImage titles = Rendered("view titles on; ", "places-titles");
  const QRect legendBox = Differences(plain, legend);
  ASSERT_FALSE(legendBox.isEmpty());
  EXPECT_GE(legendBox.left(), 375);
  EXPECT_LE(legendBox.right(), 650);
  EXPECT_GE(legendBox.top(), 50);
  EXPECT_LE(legendBox.bottom(), 200);
  const QRect plot(101, 51, 548, 298);
  for (int y = 0; y < plain.height(); ++y) {
    for (int x = 0; x < plain.width(); ++x) {
      if (plain.pixel(x, y) != titles.pixel(x, y)) {
        ASSERT_FALSE(plot.contains(x, y)) << x << " " << y;
      }
    }
  }
  EXPECT_FALSE(Differences(plain, titles).isEmpty());
}

// The detailed box names the shape, χ² as fit-stats gives it and the
// convergence; the classic one stays the bare height.
TEST(FigureScript, TheDetailedFitMessageSaysWhatItIs) {
  const ScriptOutcome classic = RunScript(kFitScript + "fit");
  ASSERT_EQ(classic.status, 0) << classic.err;
  EXPECT_EQ(classic.out.find("χ²"), std::string::npos);
  const ScriptOutcome run =
      RunScript(kFitScript + "fit-message detailed; conditions gauss 0.001; fit; fit-stats");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::size_t at = run.out.find("\"chisq\": ");
  ASSERT_NE(at, std::string::npos);
  char chisq[32];
  std::snprintf(chisq, sizeof chisq, "%.6g", std::stod(run.out.substr(at + 9)));
  EXPECT_NE(run.out.find(std::string("message: ガウス関数 でフィット: χ² = ") + chisq + "、"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("回の反復で収束"), std::string::npos);
  EXPECT_NE(run.out.find("ピーク 1 の高さ: "), std::string::npos);
  EXPECT_NE(run.out.find(" ± "), std::string::npos);
  EXPECT_EQ(RunScript("fit-message loud").status, 2);
}

// A session file keeps the modern view's options, and names them only when
// they are not at their defaults.
TEST(FigureScript, ASessionKeepsTheViewsStyle) {
  const std::string classic = WriteTempFile("style-classic.tav", "");
  const std::string modern = WriteTempFile("style-modern.tav", "");
  const ScriptOutcome save =
      RunScript(kFitScript + "save-session " + classic +
                "; view style modern; view legend off; save-session " + modern);
  ASSERT_EQ(save.status, 0) << save.err;
  EXPECT_EQ(ReadFileBytes(classic).find("\"titles\""), std::string::npos);
  const ScriptOutcome open = RunScript("open-session " + modern + "; state");
  ASSERT_EQ(open.status, 0) << open.err;
  EXPECT_NE(open.out.find(", \"style\": \"modern\", \"titles\": true}"), std::string::npos)
      << open.out;
}
