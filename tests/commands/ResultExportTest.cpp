#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "commands/Commands.h"
#include "fit/PeakModel.h"
#include "tests/support/TempFile.h"
#include "tests/support/TestHost.h"
#include "view/ResultFormat.h"
#include "view/TavView.h"

namespace {

struct ResultExportTest : ::testing::Test {
  CTavDoc doc;
  TestHost host;
  CTavView view{doc, host};

  // One fitted Gaussian of height 100 at 30, width 0.5, on B = 10.
  void SetUp() override {
    view.StateForTests().fit.shape = kGaussian;
    view.StateForTests().range.m_xMin = 25.0;
    view.StateForTests().range.m_xMax = 35.0;
    view.StateForTests().peaks.m_nPeak = 1;
    view.StateForTests().peaks.m_height[1] = 100.0;
    view.StateForTests().peaks.m_position[1] = 30.0;
    view.StateForTests().peaks.m_width[1] = 0.5;
    view.StateForTests().peaks.m_bgA = 0.0;
    view.StateForTests().peaks.m_bgB = 10.0;
    view.StateForTests().peaks.m_bFitted = 1;
  }

  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

TEST_F(ResultExportTest, LayoutOfOneGaussianPeak) {
  const std::string text = FormatFitResult(view);
  const std::string head =
      "Height, Position, Width\n"
      "100.000000,30.000000,0.500000\n"
      "Background (Ax+B) A, B\n"
      "0.000000,10.000000\n"
      "Fitting Data\n"
      "25.000000 10.000000 10.000000 10.000000\n";
  EXPECT_EQ(text.substr(0, head.size()), head);
  const auto lines = Lines(text);
  ASSERT_EQ(lines.size(), 5u + 551u);
  EXPECT_EQ(lines[5 + 275], "30.000000 110.000000 110.000000 10.000000");
  EXPECT_EQ(lines[5 + 286], "30.200000 95.214379 95.214379 10.000000");
  EXPECT_EQ(lines.back(), "35.000000 10.000000 10.000000 10.000000");
  EXPECT_EQ(text.back(), '\n');

  // The columns follow the shape selected now; an unknown shape has no peak
  // columns and a total of 0.
  view.StateForTests().fit.shape = kLorentzian;
  EXPECT_EQ(Lines(FormatFitResult(view))[5 + 286], "30.200000 96.206897 96.206897 10.000000");
  view.StateForTests().fit.shape = kNoShape;
  EXPECT_EQ(Lines(FormatFitResult(view))[5 + 275], "30.000000 0.000000 10.000000");
}

TEST_F(ResultExportTest, SaveWritesReportsFailureAndChangesNothing) {
  char dir[] = "/tmp/tav-result-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string path = std::string(dir) + "/r.dat";
  host.savePath = path;
  OnSaveResult(view);
  EXPECT_EQ(ReadFileBytes(path), FormatFitResult(view));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(host.repaints, 0);

  OnSaveResult(view);  // cancelled: nothing happens
  EXPECT_EQ(host.saveDialogs, 2);
  EXPECT_TRUE(host.messages.empty());

  const std::string bad = std::string(dir) + "/missing/r.dat";
  host.savePath = bad;
  OnSaveResult(view);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].rfind("ファイルを保存できません: " + bad + " (", 0), 0u);
  EXPECT_EQ(host.repaints, 0);
  unlink(path.c_str());
  rmdir(dir);
}

TEST_F(ResultExportTest, PeakAppendedOnAZeroWidthRangeIsNotSaved) {
  // The new slot's width comes from the zero display span: every sampled row
  // evaluates the peak at its own position, 0 / 0.
  view.StateForTests().range.m_xMin = view.StateForTests().range.m_xMax = 30.0;
  view.OnPeakPosition();
  view.AppendPeakAt(30.0, 50.0);
  ASSERT_EQ(view.Peaks().m_width[2], 0.0);
  host.savePath = "/nonexistent/r.dat";
  OnSaveResult(view);
  const std::string refusal =
      "保存できません: フィットデータ 1 行目のピーク 2 の値が有限の数ではありません (nan)";
  EXPECT_EQ(host.messages, std::vector<std::string>{refusal});
  EXPECT_EQ(host.failures, std::vector<std::string>{refusal});
  EXPECT_EQ(host.saveDialogs, 0);
  EXPECT_EQ(host.repaints, 0);

  // Without a peak shape the file has no peak columns, and nothing else is lost.
  view.StateForTests().fit.shape = kNoShape;
  EXPECT_EQ(FitResultUnwritable(view), "");
}

TEST_F(ResultExportTest, RefusalNamesTheFirstValueThatIsNotFinite) {
  PeakTable& t = view.StateForTests().peaks;
  t.m_nPeak = 2;
  t.m_height[2] = 50.0;
  t.m_position[2] = 32.0;
  t.m_width[2] = 0.5;
  const auto refusal = [&] { return FitResultUnwritable(view); };
  EXPECT_EQ(refusal(), "");

  t.m_width[2] = std::nan("");
  t.m_bgB = -INFINITY;
  EXPECT_EQ(refusal(), "保存できません: ピーク 2 の幅が有限の数ではありません (nan)");
  t.m_width[2] = 0.5;
  EXPECT_EQ(refusal(), "保存できません: 背景の切片が有限の数ではありません (-inf)");
  t.m_bgB = 10.0;
  t.m_bgA = INFINITY;
  EXPECT_EQ(refusal(), "保存できません: 背景の傾きが有限の数ではありません (inf)");

  // A slope that is finite but overflows at the samples: the first column
  // that holds the overflow is named.
  t.m_bgA = 1e307;
  EXPECT_EQ(refusal(),
            "保存できません: フィットデータ 1 行目のピーク 1 の値が有限の数ではありません (inf)");
  view.StateForTests().fit.shape = kNoShape;
  EXPECT_EQ(refusal(), "保存できません: フィットデータ 1 行目の背景が有限の数ではありません (inf)");

  // A display range whose span overflows has no X for its first sample.
  t.m_bgA = 0.0;
  view.StateForTests().range.m_xMin = -1e308;
  view.StateForTests().range.m_xMax = 1e308;
  EXPECT_EQ(refusal(), "保存できません: フィットデータ 1 行目の X が有限の数ではありません (nan)");
}

}  // namespace
