#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "fit/PeakModel.h"
#include "tests/support/FakeHost.h"
#include "tests/support/RecordingCanvas.h"
#include "tests/support/Spectrum.h"
#include "view/TavView.h"

namespace {

using Op = RecordingCanvas::Op;

// The display range X 0..550, Y 0..300 maps x to column x + 100 and y to row
// 350 - y, so expected pixels can be worked out by hand.
class DrawTest : public ::testing::Test {
 protected:
  // Points drawn at (100, 250), (375, 350) and (650, 50); the reference level
  // is 100, the Y of the first.
  void Load() { LoadSpectrum(view, {0, 275, 550}, {100, 0, 300}); }

  void Place(int k, double position, double height) {
    view.m_nPeak = std::max(view.m_nPeak, k);
    view.m_curPeak = k;
    view.m_position[k] = position;
    view.m_height[k] = height;
  }

  void Fit(int k, double position, double height, double width, double slope, double intercept) {
    Place(k, position, height);
    view.m_width[k] = width;
    view.m_bgA = slope;
    view.m_bgB = intercept;
    view.m_bFitted = 1;
  }

  RecordingCanvas Draw() {
    RecordingCanvas dc;
    view.OnDraw(dc);
    return dc;
  }

  FakeHost host;
  CTavDoc doc;
  CTavView view{doc, host};
};

std::vector<Op> OpsOf(const RecordingCanvas& dc, Op::Kind kind) {
  std::vector<Op> out;
  std::copy_if(dc.ops.begin(), dc.ops.end(), std::back_inserter(out),
               [&](const Op& op) { return op.kind == kind; });
  return out;
}

TEST_F(DrawTest, FreshViewDrawsNothing) { EXPECT_TRUE(Draw().ops.empty()); }

TEST_F(DrawTest, SpectrumWithoutPeaksDrawsSquaresLabelsAndFrameInOrder) {
  Load();
  const RecordingCanvas dc = Draw();

  // Each point inside the window is a 2 x 2 blue square extending right and down.
  for (const auto& [x, y] : {std::pair{100, 250}, {375, 350}, {650, 50}}) {
    for (int dx = 0; dx < 2; ++dx) {
      for (int dy = 0; dy < 2; ++dy)
        EXPECT_EQ(dc.PixelAt(x + dx, y + dy), colors::kBlue) << x << "," << y;
    }
  }
  EXPECT_EQ(dc.Count(Op::Pixel), 12);
  EXPECT_EQ(dc.Count(Op::Move) + dc.Count(Op::Line), 0);

  // Points, then text, then the frame, which is grey and spans the plot window.
  const auto isText = [](const Op& op) { return op.kind == Op::Text; };
  const auto isPixel = [](const Op& op) { return op.kind == Op::Pixel; };
  const auto firstText = std::find_if(dc.ops.begin(), dc.ops.end(), isText);
  EXPECT_TRUE(std::all_of(dc.ops.begin(), firstText, isPixel));
  EXPECT_TRUE(std::none_of(firstText, dc.ops.end(), isPixel));
  ASSERT_EQ(dc.ops.back().kind, Op::Frame);
  EXPECT_EQ(dc.ops.back().x, 100);
  EXPECT_EQ(dc.ops.back().y, 50);
  EXPECT_EQ(dc.ops.back().x2, 650);
  EXPECT_EQ(dc.ops.back().y2, 350);
  EXPECT_EQ(dc.ops.back().color, colors::kGrey);
}

TEST_F(DrawTest, TitleAndLabelsWithTheirColoursAndNumberText) {
  Load();
  view.m_xMin = 12.5;
  view.m_xMax = 20;
  view.m_yMin = -1234.56789;
  view.m_yMax = 1000;
  const std::vector<Op> texts = OpsOf(Draw(), Op::Text);

  ASSERT_EQ(texts.size(), 5u);
  const struct {
    int x, y;
    std::string text;
    Color color;
  } expected[] = {{250, 30, "Curve Fitting", colors::kBlack},
                  {100, 360, "12.5", colors::kBlack},
                  {640, 360, "20.", colors::kBlack},
                  {35, 50, "1000.", colors::kRed},
                  {35, 330, "-1234.5679", colors::kRed}};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(texts[i].x, expected[i].x) << i;
    EXPECT_EQ(texts[i].y, expected[i].y) << i;
    EXPECT_EQ(texts[i].text, expected[i].text) << i;
    EXPECT_EQ(texts[i].color, expected[i].color) << i;
  }
}

TEST_F(DrawTest, PointsOutsideTheWindowAreSkippedAndTheEdgesAreInclusive) {
  LoadSpectrum(view, {10, 12, 15, 20, 25}, {0, 250, 1000, 400, 5});
  view.m_xMax = 20;   // the last point now lies outside in X
  view.m_yMax = 900;  // the third outside in Y
  const RecordingCanvas dc = Draw();

  EXPECT_EQ(dc.Count(Op::Pixel), 12);
  EXPECT_EQ(dc.PixelAt(100, 350), colors::kBlue);  // (10, 0): both minimum edges
  EXPECT_EQ(dc.PixelAt(650, 216), colors::kBlue);  // (20, 400): the X maximum edge
  EXPECT_EQ(dc.PixelAt(375, 16), -1);              // (15, 1000)
}

TEST_F(DrawTest, PlacedPeaksRideOnTheReferenceLevelWithSelectionColoursAndLaterPixelsWinning) {
  Load();
  Place(1, 100, 250);
  Place(2, 450, 250);  // selects peak 2
  const RecordingCanvas dc = Draw();

  // Widths are a tenth of the X span (55); heights are measured from y0 = 100.
  // At x = 100: peak 1 reaches its clicked height 250 (row 100), peak 2 adds
  // 3.61 (row 246), the total 253.61 (row 96), the background stays at 100.
  EXPECT_EQ(dc.PixelAt(200, 100), colors::kYellow);
  EXPECT_EQ(dc.PixelAt(200, 246), colors::kGreen);
  EXPECT_EQ(dc.PixelAt(200, 96), colors::kRed);
  EXPECT_EQ(dc.PixelAt(200, 250), colors::kPurple);
  // Curves come over the data points: the first square is half covered.
  EXPECT_EQ(dc.PixelAt(100, 250), colors::kPurple);
  EXPECT_EQ(dc.PixelAt(100, 251), colors::kBlue);
  EXPECT_EQ(dc.PixelAt(550, 100), colors::kGreen);
  EXPECT_EQ(dc.PixelAt(550, 246), colors::kYellow);
  // Midway both components fall on row 236: the later peak wins.
  EXPECT_EQ(dc.PixelAt(375, 236), colors::kGreen);
  EXPECT_EQ(dc.PixelAt(375, 223), colors::kRed);

  // One curve pixel per column and layer, markers from row 50 to 350.
  EXPECT_EQ(dc.Count(Op::Pixel), 12 + 4 * CTavView::kSamples);
  const std::vector<Op> moves = OpsOf(dc, Op::Move);
  const std::vector<Op> lines = OpsOf(dc, Op::Line);
  ASSERT_EQ(moves.size(), 2u);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(moves[0].x, 200);
  EXPECT_EQ(moves[0].y, 50);
  EXPECT_EQ(lines[0].x, 200);
  EXPECT_EQ(lines[0].y, 350);
  EXPECT_EQ(moves[1].x, 550);
  EXPECT_EQ(dc.ops.back().kind, Op::Line);

  // A width factor scales the preview: doubled, peak 2 adds 13.48 at x = 100.
  view.m_widthFactor[2] = 2.0;
  EXPECT_EQ(Draw().PixelAt(200, 236), colors::kGreen);
}

TEST_F(DrawTest, FittedPeaksUseTheFittedWidthAndBackground) {
  Load();
  Fit(1, 275, 100, 10, 0.1, 20);
  RecordingCanvas dc = Draw();

  // At x = 275 the background is 47.5 and the peak 147.5; at x = 0 the
  // background is 20.
  EXPECT_EQ(dc.PixelAt(375, 302), colors::kPurple);
  EXPECT_EQ(dc.PixelAt(375, 202), colors::kRed);
  EXPECT_EQ(dc.PixelAt(100, 330), colors::kPurple);
  // At x = 285 (u = 1) the Lorentzian is halved: 50 + 48.5 (row 251).
  EXPECT_EQ(dc.PixelAt(385, 251), colors::kRed);

  // Gaussian: 100 / e + 48.5 = 85.29 (row 264), for the component too.
  g_function = 0;
  dc = Draw();
  EXPECT_EQ(dc.PixelAt(385, 264), colors::kRed);
  EXPECT_EQ(dc.PixelAt(385, 251), -1);

  // Any other shape: no component, the background still, a total of 0 (row 350).
  g_function = 5;
  dc = Draw();
  EXPECT_EQ(dc.PixelAt(375, 302), colors::kPurple);
  for (int s = 0; s < CTavView::kSamples; ++s)
    ASSERT_EQ(dc.PixelAt(100 + s, 350), colors::kRed) << s;
  for (const auto& [pixel, color] : dc.pixels) EXPECT_NE(color, colors::kGreen);
  g_function = 1;
}

TEST_F(DrawTest, CurvesAreDrawnOnlyInsideTheYRangeBothEndsIncluded) {
  Load();
  Fit(1, 275, 200, 10, 0.0, 100);  // the top reaches exactly m_yMax
  EXPECT_EQ(Draw().PixelAt(375, 50), colors::kRed);

  Place(2, 100, 400);  // far above the window
  view.m_width[2] = 20;
  const RecordingCanvas dc = Draw();
  for (const Op& op : OpsOf(dc, Op::Pixel)) {
    if (op.color == colors::kBlue) continue;
    EXPECT_GE(op.y, 50);
    EXPECT_LE(op.y, 350);
  }
  // Near x = 100 peak 2 and the total lie above 300: nothing of them there.
  for (int row = 0; row < 400; ++row) {
    EXPECT_NE(dc.PixelAt(200, row), colors::kGreen);
    EXPECT_NE(dc.PixelAt(200, row), colors::kRed);
  }
}

TEST_F(DrawTest, ReversedTypedRangeMirrorsCurvesAndMarkers) {
  Load();
  Fit(1, 100, 100, 10, 0.1, 20);
  view.m_xMin = 550;
  view.m_xMax = 0;
  const RecordingCanvas dc = Draw();

  // x = 100 is sample 450: the peak (130, row 220) appears at column 550.
  EXPECT_EQ(dc.PixelAt(550, 220), colors::kRed);
  EXPECT_EQ(dc.PixelAt(200, 220), -1);
  EXPECT_EQ(OpsOf(dc, Op::Move).at(0).x, 550);
  // No point satisfies 550 <= x <= 0.
  for (const auto& [pixel, color] : dc.pixels) EXPECT_NE(color, colors::kBlue);
}

TEST_F(DrawTest, MarkersAreNotClippedToTheWindow) {
  Load();
  Place(1, -50, 100);
  Place(2, 1000, 100);
  const std::vector<Op> moves = OpsOf(Draw(), Op::Move);
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[0].x, 50);
  EXPECT_EQ(moves[1].x, 1100);
}

TEST_F(DrawTest, PlacedPeaksWithoutAReferenceLevelDrawOnlyMarkers) {
  Load();
  Place(1, 275, 250);
  view.m_yMin = 500;  // no point lies inside the window
  view.m_yMax = 600;
  const RecordingCanvas dc = Draw();
  EXPECT_EQ(dc.Count(Op::Pixel), 0);
  EXPECT_EQ(dc.Count(Op::Line), 1);
  EXPECT_EQ(dc.Count(Op::Text), 5);
}

TEST_F(DrawTest, ZeroWidthOrHeightRangeDrawsNothingThatDividesByIt) {
  Load();
  Fit(1, 275, 100, 10, 0.1, 20);
  view.m_xMin = view.m_xMax = 275;
  RecordingCanvas dc = Draw();
  EXPECT_EQ(dc.Count(Op::Text), 5);
  EXPECT_EQ(dc.Count(Op::Frame), 1);
  EXPECT_EQ(dc.Count(Op::Line), 0);
  // The curves divide by the height only: all samples sit at x = 275.
  EXPECT_EQ(dc.PixelAt(100, 202), colors::kRed);
  EXPECT_EQ(dc.PixelAt(650, 202), colors::kRed);
  // Placed peaks would get widths of zero from the span: no curves.
  view.m_bFitted = 0;
  EXPECT_EQ(Draw().Count(Op::Pixel), 0);

  view.m_bFitted = 1;
  view.m_xMin = 0;
  view.m_xMax = 550;
  view.m_yMin = view.m_yMax = 100;
  dc = Draw();
  EXPECT_EQ(dc.Count(Op::Pixel), 0);
  EXPECT_EQ(dc.Count(Op::Line), 1);
  EXPECT_EQ(dc.Count(Op::Frame), 1);
}

}  // namespace
