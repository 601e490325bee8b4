#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <climits>
#include <string>

#include "app/canvas/ImageCanvas.h"
#include "app/canvas/PainterCanvas.h"
#include "app/canvas/RenderPng.h"
#include "tests/support/FakeHost.h"
#include "tests/support/Spectrum.h"
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

int CountNotWhite(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) != kWhite;
  }
  return n;
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

  FakeHost host;
  CTavDoc doc;
  CTavView view{doc, host};
};

TEST_F(ImageCanvasTest, PixelsTakeTheirColoursAndStayInsideTheImage) {
  QImage image = WhiteImage(20, 10);
  {
    ImageCanvas dc(image);
    dc.SetPixel(0, 0, colors::kBlue);
    dc.SetPixel(19, 9, colors::kRed);
    dc.SetPixel(5, 5, colors::kPurple);
    dc.SetPixel(6, 5, colors::kYellow);
    for (const auto& [x, y] : {std::pair{-1, 0}, {20, 0}, {0, 10}, {0, -1}, {INT_MIN, INT_MAX}}) {
      dc.SetPixel(x, y, colors::kGreen);
    }
  }
  EXPECT_EQ(image.pixel(0, 0), kBlueRgb);
  EXPECT_EQ(image.pixel(19, 9), kRedRgb);
  EXPECT_EQ(image.pixel(5, 5), qRgb(125, 0, 125));
  EXPECT_EQ(image.pixel(6, 5), qRgb(255, 255, 0));
  EXPECT_EQ(CountNotWhite(image), 4);
}

TEST_F(ImageCanvasTest, LinesLeaveOutTheirEndPointAndFramesTheirRightAndBottomEdges) {
  QImage image = WhiteImage(40, 20);
  {
    ImageCanvas dc(image);
    dc.MoveTo(2, 1);
    dc.LineTo(2, 5);  // rows 1..4
    dc.LineTo(8, 5);  // columns 2..7
    dc.MoveTo(8, 8);
    dc.LineTo(3, 8);  // leftwards: columns 8..4
    dc.MoveTo(20, 0);
    dc.LineTo(24, 4);  // diagonal
    dc.MoveTo(30, -10000000);
    dc.LineTo(30, 10000000);  // far outside, clipped
    dc.FrameRect(10, 2, 15, 6, colors::kGrey);
  }
  for (int y = 1; y <= 4; ++y) EXPECT_EQ(image.pixel(2, y), kBlackRgb) << y;
  for (int x = 2; x <= 7; ++x) EXPECT_EQ(image.pixel(x, 5), kBlackRgb) << x;
  EXPECT_EQ(image.pixel(8, 5), kWhite);
  for (int x = 4; x <= 8; ++x) EXPECT_EQ(image.pixel(x, 8), kBlackRgb) << x;
  EXPECT_EQ(image.pixel(3, 8), kWhite);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(image.pixel(20 + i, i), kBlackRgb) << i;
  EXPECT_EQ(image.pixel(24, 4), kWhite);
  for (int y = 0; y < 20; ++y) EXPECT_EQ(image.pixel(30, y), kBlackRgb) << y;

  for (const auto& [x, y] :
       {std::pair{10, 2}, {14, 2}, {10, 5}, {14, 5}, {12, 2}, {12, 5}, {10, 4}, {14, 4}}) {
    EXPECT_EQ(image.pixel(x, y), kGreyRgb) << x << "," << y;
  }
  for (const auto& [x, y] : {std::pair{15, 2}, {12, 6}, {12, 3}, {15, 6}}) {
    EXPECT_EQ(image.pixel(x, y), kWhite) << x << "," << y;
  }
  EXPECT_EQ(CountNotWhite(image), 4 + 6 + 5 + 4 + 20 + 14);
}

TEST_F(ImageCanvasTest, PlotOnARealImageWithFrameOverPointsAndColouredText) {
  LoadCorners();
  const QImage image = Render();

  // (20, 0) maps to (650, 350): its square lies just outside the frame.
  for (const auto& [x, y] : {std::pair{650, 350}, {651, 350}, {650, 351}, {651, 351}}) {
    EXPECT_EQ(image.pixel(x, y), kBlueRgb) << x << "," << y;
  }
  // (10, 1000) maps to (100, 50): the frame overdraws its left column and top row.
  EXPECT_EQ(image.pixel(100, 50), kGreyRgb);
  EXPECT_EQ(image.pixel(101, 50), kGreyRgb);
  EXPECT_EQ(image.pixel(100, 51), kGreyRgb);
  EXPECT_EQ(image.pixel(101, 51), kBlueRgb);
  // The frame: columns 100 and 649, rows 50 and 349.
  EXPECT_EQ(image.pixel(649, 349), kGreyRgb);
  EXPECT_EQ(image.pixel(400, 349), kGreyRgb);
  EXPECT_EQ(image.pixel(650, 200), kWhite);
  EXPECT_EQ(image.pixel(400, 350), kWhite);

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
  view.m_nPeak = 2;
  view.m_curPeak = 1;
  view.m_position[1] = 12;
  view.m_height[1] = 900;
  view.m_position[2] = 30;  // marker off the frame
  view.m_height[2] = 600;
  EXPECT_TRUE(Render() == Render(true));

  // On a scaled painter (a printer page) one pixel covers the scaled cell.
  QImage image = WhiteImage(20, 20);
  {
    QPainter painter(&image);
    painter.scale(2, 2);
    PainterCanvas dc(painter);
    dc.SetPixel(3, 4, colors::kBlue);
    dc.MoveTo(6, 0);
    dc.LineTo(6, 2);
  }
  for (const auto& [x, y] : {std::pair{6, 8}, {7, 8}, {6, 9}, {7, 9}})
    EXPECT_EQ(image.pixel(x, y), kBlueRgb);
  EXPECT_EQ(image.pixel(12, 3), kBlackRgb);
  EXPECT_EQ(image.pixel(13, 3), kBlackRgb);
  EXPECT_EQ(CountNotWhite(image), 4 + 8);
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
