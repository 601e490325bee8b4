#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <climits>
#include <functional>
#include <iterator>
#include <string>
#include <utility>

#include "render/ImageCanvas.h"
#include "render/PainterCanvas.h"
#include "render/RenderPng.h"
#include "tests/support/LoadedProfile.h"
#include "tests/support/TestHost.h"
#include "view/TavView.h"

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlackRgb = qRgb(0, 0, 0);
const QRgb kBlueRgb = qRgb(0, 0, 255);
const QRgb kRedRgb = qRgb(255, 0, 0);
const QRgb kGreyRgb = qRgb(125, 125, 125);

QImage WhiteImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

bool AnyPixelIn(const QImage& image, QRect area, QRgb rgb) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixel(x, y) == rgb) return true;
    }
  }
  return false;
}

class ImageCanvasTest : public ::testing::Test {
 protected:
  // Text needs fonts, and fonts a QGuiApplication; it is kept for the process.
  static void SetUpTestSuite() {
    if (qGuiApp) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "core_tests";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
  }

  // Range X 10..20, Y 0..1000 with points at both corners of the window.
  void LoadCorners() { LoadSpectrum(view, {10, 15, 20}, {1000, 500, 0}); }

  QImage Render(bool throughPainter = false) {
    QImage image = WhiteImage(700, 400);
    if (throughPainter) {
      QPainter painter(&image);
      PainterCanvas canvas(painter);
      view.OnDraw(canvas);
    } else {
      ImageCanvas canvas(image);
      view.OnDraw(canvas);
    }
    return image;
  }

  TestHost host;
  CTavDoc doc;
  CTavView view{doc, host};
};

// The image as rows of characters: '.' white, '#' black, 'g' grey, 'b' blue,
// 'r' red, 'p' purple, 'y' yellow, '?' anything else.
std::string Picture(const QImage& image) {
  std::string out;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb rgb = image.pixel(x, y);
      const char* const kChars = ".#gbrpy";
      const QRgb kColours[] = {kWhite,  kBlackRgb,         kGreyRgb,         kBlueRgb,
                               kRedRgb, qRgb(125, 0, 125), qRgb(255, 255, 0)};
      const auto it = std::find(std::begin(kColours), std::end(kColours), rgb);
      out += it == std::end(kColours) ? '?' : kChars[it - std::begin(kColours)];
    }
    out += '\n';
  }
  return out;
}

TEST_F(ImageCanvasTest, PixelsLinesAndFramesLandExactlyAndAreClipped) {
  QImage image = WhiteImage(16, 10);
  {
    ImageCanvas dc(image);
    dc.SetPixel(0, 9, colors::kBlue);
    dc.SetPixel(15, 9, colors::kRed);
    dc.SetPixel(2, 9, colors::kPurple);
    dc.SetPixel(3, 9, colors::kYellow);
    for (const auto& [x, y] : {std::pair{-1, 0}, {16, 0}, {0, 10}, {0, -1}, {INT_MIN, INT_MAX}}) {
      dc.SetPixel(x, y, colors::kGreen);
    }
    // Lines leave out their end point, in every direction.
    dc.MoveTo(1, 1);
    dc.LineTo(1, 4);
    dc.LineTo(6, 4);
    dc.MoveTo(7, 7);
    dc.LineTo(3, 7);
    dc.MoveTo(9, 0);
    dc.LineTo(12, 3);
    dc.MoveTo(14, -10000000);
    dc.LineTo(14, 10000000);
    // A frame leaves out its right and bottom edges.
    dc.FrameRect(8, 5, 13, 9, colors::kGrey);
  }
  EXPECT_EQ(Picture(image),
            ".........#....#.\n"
            ".#........#...#.\n"
            ".#.........#..#.\n"
            ".#............#.\n"
            ".#####........#.\n"
            "........ggggg.#.\n"
            "........g...g.#.\n"
            "....####g...g.#.\n"
            "........ggggg.#.\n"
            "b.py..........#r\n");
}

// A white width x height image drawn on through either canvas.
QImage DrawnImage(int width, int height, bool throughPainter,
                  const std::function<void(Canvas&)>& draw) {
  QImage image = WhiteImage(width, height);
  if (throughPainter) {
    QPainter painter(&image);
    PainterCanvas canvas(painter);
    draw(canvas);
  } else {
    ImageCanvas canvas(image);
    draw(canvas);
  }
  return image;
}

// Both canvases leave the same picture.
void ExpectDrawnPicture(int width, int height, const std::function<void(Canvas&)>& draw,
                        const std::string& expected) {
  EXPECT_EQ(Picture(DrawnImage(width, height, false, draw)), expected) << "image canvas";
  EXPECT_EQ(Picture(DrawnImage(width, height, true, draw)), expected) << "painter canvas";
}

TEST_F(ImageCanvasTest, PixelsAndFramesAtAndBeyondEachEdge) {
  ExpectDrawnPicture(
      6, 4,
      [](Canvas& dc) {
        // Frames one past every edge, or as wide as int allows, show nothing.
        dc.FrameRect(-1, -1, 7, 5, colors::kRed);
        dc.FrameRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, colors::kRed);
        // Top edge off the image: the sides and the bottom are left; left and
        // bottom edges off it: the top and the right side.
        dc.FrameRect(2, -5, 6, 3, colors::kGrey);
        dc.FrameRect(-3, 2, 2, 9, colors::kGrey);
        for (const auto& [x, y] : {std::pair{0, 0}, {5, 0}, {0, 3}, {5, 3}}) {
          dc.SetPixel(x, y, colors::kBlue);
        }
        for (const auto& [x, y] : {std::pair{-1, 0},
                                   {6, 0},
                                   {0, -1},
                                   {0, 4},
                                   {-1, -1},
                                   {6, 4},
                                   {INT_MIN, 0},
                                   {INT_MAX, 0},
                                   {0, INT_MIN},
                                   {0, INT_MAX},
                                   {INT_MIN, INT_MIN},
                                   {INT_MAX, INT_MAX}}) {
          dc.SetPixel(x, y, colors::kRed);
        }
      },
      "b.g..b\n"
      "..g..g\n"
      "gggggg\n"
      "bg...b\n");
}

// A data point's square half off each edge keeps its part inside; one
// wholly outside leaves nothing.
TEST_F(ImageCanvasTest, SquaresOfDataPointsAtAndBeyondEachEdge) {
  ExpectDrawnPicture(
      6, 4,
      [](Canvas& dc) {
        for (const auto& [x, y] : {std::pair{-1, -1}, {5, 3}, {2, 1}}) {
          dc.FillSquare(x, y, 2, colors::kBlue);
        }
        for (const auto& [x, y] :
             {std::pair{-2, 0}, {6, 0}, {0, -2}, {0, 4}, {-10000000, 10000000}}) {
          dc.FillSquare(x, y, 2, colors::kRed);
        }
        dc.FillSquare(4, -1, 2, colors::kGrey);
      },
      "b...gg\n"
      "..bb..\n"
      "..bb..\n"
      ".....b\n");
}

TEST_F(ImageCanvasTest, LinesFromFarOutsideCrossTheImageExactly) {
  // Walking these lines whole would take billions of steps.
  QElapsedTimer clock;
  clock.start();
  ExpectDrawnPicture(
      12, 8,
      [](Canvas& dc) {
        // Both diagonals of the whole int plane (the second is x + y = 10).
        dc.MoveTo(INT_MIN, INT_MIN);
        dc.LineTo(INT_MAX, INT_MAX);
        dc.MoveTo(INT_MAX, INT_MIN + 11);
        dc.LineTo(INT_MIN + 11, INT_MAX);
        // One step down in 2^32 - 1 columns, taken half-way at x = 0.
        dc.MoveTo(INT_MIN, 6);
        dc.LineTo(INT_MAX, 7);
        // The last column, from bottom to top.
        dc.MoveTo(11, INT_MAX);
        dc.LineTo(11, INT_MIN);
        // From one column before the image to one after it, a row lower
        // half-way.
        dc.MoveTo(-1, 2);
        dc.LineTo(12, 3);
        // A whole row; rows and columns just past each edge show nothing.
        dc.MoveTo(INT_MAX, 5);
        dc.LineTo(INT_MIN, 5);
        dc.MoveTo(INT_MIN, -1);
        dc.LineTo(INT_MAX, -1);
        dc.MoveTo(INT_MIN, 8);
        dc.LineTo(INT_MAX, 8);
        dc.MoveTo(-1, INT_MIN);
        dc.LineTo(-1, INT_MAX);
        dc.MoveTo(12, INT_MIN);
        dc.LineTo(12, INT_MAX);
      },
      "#.........##\n"
      ".#.......#.#\n"
      "######..#..#\n"
      "...#..######\n"
      "....#.#....#\n"
      "############\n"
      "....#.#....#\n"
      "############\n");
  EXPECT_LT(clock.elapsed(), 5000);
}

TEST_F(ImageCanvasTest, TextAtAndBeyondEachEdgeShowsOnlyItsVisiblePart) {
  constexpr int kWidth = 40, kHeight = 20, kMargin = 200;
  const std::string text = "Curve Fitting";
  // The same text on a larger image, shifted so that it lies wholly inside:
  // what the small image must show is the part of it over the small one.
  const auto reference = [&](int x, int y) {
    const auto fits = [](long long v, int size) { return v >= 0 && v < size; };
    const long long bigX = static_cast<long long>(x) + kMargin;
    const long long bigY = static_cast<long long>(y) + kMargin;
    QImage big = WhiteImage(kWidth + 2 * kMargin, kHeight + 2 * kMargin);
    if (fits(bigX, big.width()) && fits(bigY, big.height())) {
      ImageCanvas canvas(big);
      canvas.TextOut(static_cast<int>(bigX), static_cast<int>(bigY), text);
    }
    return big.copy(kMargin, kMargin, kWidth, kHeight);
  };
  const std::pair<int, int> corners[] = {
      {0, 0},       {kWidth - 1, 0}, {kWidth, 0},        {kWidth + 1, 5},
      {-20, 3},     {-150, 0},       {3, kHeight - 1},   {3, kHeight},
      {3, -6},      {3, -30},        {INT_MAX, 0},       {INT_MIN, 0},
      {0, INT_MAX}, {0, INT_MIN},    {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}};
  for (const auto& [x, y] : corners) {
    const auto draw = [&, x = x, y = y](Canvas& dc) { dc.TextOut(x, y, text); };
    const QImage expected = reference(x, y);
    EXPECT_TRUE(DrawnImage(kWidth, kHeight, false, draw) == expected) << x << "," << y;
    EXPECT_TRUE(DrawnImage(kWidth, kHeight, true, draw) == expected) << x << "," << y;
  }
  // The reference itself: text cut at the left edge still shows its rest.
  EXPECT_TRUE(AnyPixelIn(reference(-20, 3), QRect(0, 0, kWidth, kHeight), kBlackRgb));
}

TEST_F(ImageCanvasTest, ScaledPainterCanvasClipsToThePage) {
  // Two device pixels per cell: the 8 x 6 image holds 4 x 3 cells.
  QImage image = WhiteImage(8, 6);
  {
    QPainter painter(&image);
    painter.scale(2, 2);
    PainterCanvas dc(painter);
    dc.MoveTo(INT_MIN, INT_MIN);
    dc.LineTo(INT_MAX, INT_MAX);
    dc.FrameRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, colors::kRed);
    dc.FrameRect(3, -1, 5, 3, colors::kGrey);
    dc.SetPixel(4, 0, colors::kRed);
    dc.SetPixel(INT_MAX, INT_MAX, colors::kRed);
    dc.TextOut(INT_MAX, INT_MIN, "x");
  }
  EXPECT_EQ(Picture(image),
            "##....gg\n"
            "##....gg\n"
            "..##..gg\n"
            "..##..gg\n"
            "....##gg\n"
            "....##gg\n");
}

TEST_F(ImageCanvasTest, PlotOnARealImageWithFrameOverPointsAndColouredText) {
  LoadCorners();
  const QImage image = Render();

  // (10, 1000) maps to (100, 50): the frame overdraws its left column and top row.
  EXPECT_EQ(Picture(image.copy(98, 48, 6, 5)),
            "......\n"
            "......\n"
            "..gggg\n"
            "..gb..\n"
            "..g...\n");
  // (20, 0) maps to (650, 350): its square lies just outside the frame, whose
  // last column and row are 649 and 349.
  EXPECT_EQ(Picture(image.copy(647, 347, 6, 6)),
            "..g...\n"
            "..g...\n"
            "ggg...\n"
            "...bb.\n"
            "...bb.\n"
            "......\n");

  // Title and X labels black, Y labels red.
  EXPECT_TRUE(AnyPixelIn(image, QRect(250, 30, 120, 14), kBlackRgb));
  EXPECT_FALSE(AnyPixelIn(image, QRect(250, 30, 120, 14), kRedRgb));
  EXPECT_TRUE(AnyPixelIn(image, QRect(100, 360, 60, 14), kBlackRgb));
  EXPECT_TRUE(AnyPixelIn(image, QRect(640, 360, 50, 14), kBlackRgb));
  EXPECT_TRUE(AnyPixelIn(image, QRect(35, 50, 60, 14), kRedRgb));
  EXPECT_TRUE(AnyPixelIn(image, QRect(35, 330, 60, 14), kRedRgb));
  EXPECT_FALSE(AnyPixelIn(image, QRect(35, 330, 60, 14), kBlackRgb));
}

TEST_F(ImageCanvasTest, PainterCanvasDrawsTheSamePicture) {
  LoadCorners();
  view.StateForTests().peaks.m_nPeak = 2;
  view.StateForTests().peaks.m_curPeak = 1;
  view.StateForTests().peaks.m_position[1] = 12;
  view.StateForTests().peaks.m_height[1] = 900;
  view.StateForTests().peaks.m_position[2] = 30;  // marker off the frame
  view.StateForTests().peaks.m_height[2] = 600;
  EXPECT_TRUE(Render() == Render(true));

  // On a scaled painter (a printer page) one pixel covers the scaled cell.
  QImage image = WhiteImage(8, 6);
  {
    QPainter painter(&image);
    painter.scale(2, 2);
    PainterCanvas dc(painter);
    dc.SetPixel(1, 1, colors::kBlue);
    dc.MoveTo(3, 0);
    dc.LineTo(3, 2);
  }
  EXPECT_EQ(Picture(image),
            "......##\n"
            "......##\n"
            "..bb..##\n"
            "..bb..##\n"
            "........\n"
            "........\n");
}

TEST_F(ImageCanvasTest, RenderWritesThePngOrReportsWhyNot) {
  LoadCorners();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string path = dir.filePath("plot.png").toStdString();
  std::string error;
  ASSERT_TRUE(RenderViewToPng(view, path, 700, 400, error)) << error;

  const QImage png(QString::fromStdString(path));
  ASSERT_FALSE(png.isNull());
  EXPECT_EQ(png.size(), QSize(700, 400));
  EXPECT_EQ(png.pixel(0, 0), kWhite);
  EXPECT_EQ(png.pixel(651, 351), kBlueRgb);
  EXPECT_EQ(png.pixel(100, 50), kGreyRgb);

  const std::string missing = dir.filePath("no/such/folder/plot.png").toStdString();
  EXPECT_FALSE(RenderViewToPng(view, missing, 700, 400, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(missing)));
}

}  // namespace
