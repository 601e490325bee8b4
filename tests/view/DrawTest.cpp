#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>
#include <string>

#include "fit/PeakModel.h"
#include "tests/support/LoadedProfile.h"
#include "tests/support/RecordingCanvas.h"
#include "tests/support/TestHost.h"
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
    view.StateForTests().peaks.m_nPeak = std::max(view.Peaks().m_nPeak, k);
    view.StateForTests().peaks.m_curPeak = k;
    view.StateForTests().peaks.m_position[k] = position;
    view.StateForTests().peaks.m_height[k] = height;
  }

  void Fit(int k, double position, double height, double width, double slope, double intercept) {
    Place(k, position, height);
    view.StateForTests().peaks.m_width[k] = width;
    view.StateForTests().peaks.m_bgA = slope;
    view.StateForTests().peaks.m_bgB = intercept;
    view.StateForTests().peaks.m_bFitted = 1;
  }

  RecordingCanvas Draw() {
    RecordingCanvas dc;
    view.OnDraw(dc);
    return dc;
  }

  TestHost host;
  CTavDoc doc;
  CTavView view{doc, host};
};

// Every call but SetPixel, in order, as text: "Text 250,30 #0 Curve Fitting".
std::vector<std::string> Calls(const RecordingCanvas& dc) {
  static const char* const kNames[] = {"Pixel", "Move", "Line", "Text", "TextColor", "Frame"};
  std::vector<std::string> out;
  for (const Op& op : dc.ops) {
    if (op.kind == Op::Pixel) continue;
    std::ostringstream line;
    line << kNames[op.kind] << ' ' << op.x << ',' << op.y;
    if (op.kind == Op::Frame) line << '-' << op.x2 << ',' << op.y2;
    if (op.kind == Op::Text || op.kind == Op::TextColor || op.kind == Op::Frame)
      line << " #" << std::hex << op.color;
    if (op.kind == Op::Text) line << ' ' << op.text;
    out.push_back(line.str());
  }
  return out;
}

TEST_F(DrawTest, FreshViewDrawsNothing) { EXPECT_TRUE(Draw().ops.empty()); }

TEST_F(DrawTest, SpectrumWithoutPeaksDrawsSquaresThenLabelsThenFrame) {
  Load();
  RecordingCanvas dc = Draw();

  // Each point inside the window is a 2 x 2 blue square extending right and down.
  for (const auto& [x, y] : {std::pair{100, 250}, {375, 350}, {650, 50}}) {
    for (const auto& [dx, dy] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) {
      EXPECT_EQ(dc.PixelAt(x + dx, y + dy), colors::kBlue) << x << "," << y;
    }
  }
  view.StateForTests().range.m_xMin = 12.5;  // the labels' number text
  view.StateForTests().range.m_yMin = -1234.56789;
  dc = Draw();
  EXPECT_EQ(Calls(dc), (std::vector<std::string>{
                           "Text 250,30 #0 Curve Fitting", "Text 100,360 #0 12.5",
                           "Text 640,360 #0 550.", "TextColor 0,0 #ff", "Text 35,50 #ff 300.",
                           "Text 35,330 #ff -1234.5679", "Frame 100,50-650,350 #7d7d7d"}));
  EXPECT_EQ(dc.ops.front().kind, Op::Pixel);  // the points come first
  EXPECT_EQ(dc.ops[dc.Count(Op::Pixel)].kind, Op::Text);
}

TEST_F(DrawTest, PointsOutsideTheWindowAreSkippedAndTheEdgesAreInclusive) {
  LoadSpectrum(view, {10, 12, 15, 20, 25}, {0, 250, 1000, 400, 5});
  view.StateForTests().range.m_xMax = 20;   // the last point now lies outside in X
  view.StateForTests().range.m_yMax = 900;  // the third outside in Y
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

  // One curve pixel per column and layer, then a marker per peak.
  EXPECT_EQ(dc.Count(Op::Pixel), 12 + 4 * CTavView::kSamples);
  const std::vector<std::string> calls = Calls(dc);
  EXPECT_EQ(
      std::vector<std::string>(calls.end() - 4, calls.end()),
      (std::vector<std::string>{"Move 200,50", "Line 200,350", "Move 550,50", "Line 550,350"}));
  EXPECT_EQ(dc.ops.back().kind, Op::Line);

  // A width factor scales the preview: doubled, peak 2 adds 13.48 at x = 100.
  view.StateForTests().peaks.m_widthFactor[2] = 2.0;
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
  view.StateForTests().fit.shape = kGaussian;
  dc = Draw();
  EXPECT_EQ(dc.PixelAt(385, 264), colors::kRed);
  EXPECT_EQ(dc.PixelAt(385, 251), -1);

  // Any other shape: no component, the background still, a total of 0 (row 350).
  view.StateForTests().fit.shape = kShapeCount;
  dc = Draw();
  EXPECT_EQ(dc.PixelAt(375, 302), colors::kPurple);
  for (int s = 0; s < CTavView::kSamples; ++s)
    ASSERT_EQ(dc.PixelAt(100 + s, 350), colors::kRed) << s;
  for (const auto& [pixel, color] : dc.pixels) EXPECT_NE(color, colors::kGreen);
}

TEST_F(DrawTest, CurvesAreDrawnOnlyInsideTheYRangeBothEndsIncluded) {
  Load();
  Fit(1, 275, 200, 10, 0.0, 100);  // the top reaches exactly m_yMax
  EXPECT_EQ(Draw().PixelAt(375, 50), colors::kRed);

  Place(2, 100, 400);  // far above the window
  view.StateForTests().peaks.m_width[2] = 20;
  const RecordingCanvas dc = Draw();
  for (const auto& [pixel, color] : dc.pixels) {
    if (color != colors::kBlue) {
      EXPECT_TRUE(pixel.second >= 50 && pixel.second <= 350) << pixel.first;
    }
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
  view.StateForTests().range.m_xMin = 550;
  view.StateForTests().range.m_xMax = 0;
  const RecordingCanvas dc = Draw();

  // x = 100 is sample 450: the peak (130, row 220) appears at column 550.
  EXPECT_EQ(dc.PixelAt(550, 220), colors::kRed);
  EXPECT_EQ(dc.PixelAt(200, 220), -1);
  EXPECT_EQ(Calls(dc).back(), "Line 550,350");
  // No point satisfies 550 <= x <= 0.
  for (const auto& [pixel, color] : dc.pixels) EXPECT_NE(color, colors::kBlue);
}

TEST_F(DrawTest, PlacedPeaksWithoutAReferenceLevelDrawOnlyMarkersUnclipped) {
  Load();
  Place(1, -50, 250);
  Place(2, 1000, 250);
  view.StateForTests().range.m_yMin = 500;  // no point lies inside the window
  view.StateForTests().range.m_yMax = 600;
  const RecordingCanvas dc = Draw();
  EXPECT_EQ(dc.Count(Op::Pixel), 0);
  const std::vector<std::string> calls = Calls(dc);
  EXPECT_EQ(
      std::vector<std::string>(calls.end() - 4, calls.end()),
      (std::vector<std::string>{"Move 50,50", "Line 50,350", "Move 1100,50", "Line 1100,350"}));
}

TEST_F(DrawTest, ZeroWidthOrHeightRangeDrawsNothingThatDividesByIt) {
  Load();
  Fit(1, 275, 100, 10, 0.1, 20);
  view.StateForTests().range.m_xMin = view.StateForTests().range.m_xMax = 275;
  RecordingCanvas dc = Draw();
  EXPECT_EQ(dc.Count(Op::Text), 5);
  EXPECT_EQ(dc.Count(Op::Frame), 1);
  EXPECT_EQ(dc.Count(Op::Line), 0);
  // The curves divide by the height only: all samples sit at x = 275.
  EXPECT_EQ(dc.PixelAt(100, 202), colors::kRed);
  EXPECT_EQ(dc.PixelAt(650, 202), colors::kRed);
  // Placed peaks would get widths of zero from the span: no curves.
  view.StateForTests().peaks.m_bFitted = 0;
  EXPECT_EQ(Draw().Count(Op::Pixel), 0);

  view.StateForTests().peaks.m_bFitted = 1;
  view.StateForTests().range.m_xMin = 0;
  view.StateForTests().range.m_xMax = 550;
  view.StateForTests().range.m_yMin = view.StateForTests().range.m_yMax = 100;
  dc = Draw();
  EXPECT_EQ(dc.Count(Op::Pixel), 0);
  EXPECT_EQ(dc.Count(Op::Line), 1);
  EXPECT_EQ(dc.Count(Op::Frame), 1);
}

}  // namespace

// With a phase and a wavelength, each marker near a reflection carries its
// hkl at the frame's top, every second one a text line lower; a marker far
// from every reflection carries none.
TEST_F(DrawTest, MarkersNearAReflectionOfThePhaseCarryItsHkl) {
  Load();
  doc.SetWavelengths(Wavelengths{1.5406, std::nullopt, std::nullopt}, WavelengthSource::kUser);
  CalibrationState calibration;
  calibration.phase = UnitCell{CrystalSystem::kCubic, Centring::kP, 4.0, 4.0, 4.0};
  view.SetCalibration(calibration);
  // 2θ = 2 asin(λ / 2d) with d = a / √(h² + k² + l²).
  const auto bragg = [](double d) {
    return 2.0 * std::asin(1.5406 / (2.0 * d)) * 180.0 / std::numbers::pi;
  };
  Place(1, bragg(4.0), 250);                   // 100 at 22.21°
  Place(2, bragg(4.0 / std::sqrt(2.0)), 250);  // 110 at 31.61°
  Place(3, 26.9, 250);                         // between the two: none
  const std::vector<std::string> calls = Calls(Draw());
  const int x1 = static_cast<int>(std::floor(bragg(4.0) + 100.0));
  const int x2 = static_cast<int>(std::floor(bragg(4.0 / std::sqrt(2.0)) + 100.0));
  std::vector<std::string> labels;
  for (const std::string& call : calls) {
    if (call.ends_with(" 100") || call.ends_with(" 110") || call.find("?") != std::string::npos)
      labels.push_back(call);
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"Text " + std::to_string(x1 + 2) + ",52 #ff 100",
                                              "Text " + std::to_string(x2 + 2) + ",68 #ff 110"}));
}
