#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>

#include "tests/support/ScriptRun.h"
#include "tests/support/SharedData.h"
#include "tests/support/TempFile.h"

// The SVG and PDF of a plot are drawn in shapes through the same drawing as
// the PNG: read back by other programs (librsvg, poppler), they show the
// PNG's picture.

namespace {

const std::string kNaCl = "AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc";

std::string FitScript() {
  return "open rigaku " + SharedData(kNaCl) +
         "; find-peaks 5; conditions pvoigt 0.001; step-messages off; fit; ";
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++n;
  }
  return n;
}

// Whether two colours differ by more than a quarter of the range in any
// channel.
bool Differ(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) > 64 || std::abs(qGreen(a) - qGreen(b)) > 64 ||
         std::abs(qBlue(a) - qBlue(b)) > 64;
}

struct Comparison {
  double differingShare = 1.0;  // of all pixels
  int inkInPng = 0;             // pixels of the PNG that are not white
};

Comparison Compare(const QImage& png, const QImage& other) {
  Comparison c;
  if (png.size() != other.size()) return c;
  const QImage a = png.convertToFormat(QImage::Format_RGB32);
  const QImage b = other.convertToFormat(QImage::Format_RGB32);
  long differing = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      differing += Differ(a.pixel(x, y), b.pixel(x, y));
      c.inkInPng += a.pixel(x, y) != qRgb(255, 255, 255);
    }
  }
  c.differingShare = static_cast<double>(differing) / (a.width() * a.height());
  return c;
}

// Runs a program, true when it ran and exited with 0.
bool RunProgram(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
         process.exitCode() == 0;
}

class VectorExport : public ::testing::TestWithParam<const char*> {};

}  // namespace

TEST_P(VectorExport, SvgAndPdfShowThePngsPictureInShapes) {
  SKIP_WITHOUT_SHARED_DATA();
  const std::string style = GetParam();
  const std::string base = ::testing::TempDir() + "vector-" + style;
  const ScriptOutcome run =
      RunScript(FitScript() + "view style " + style + "; export-plot " + base + ".png; " +
                "export-plot " + base + ".svg; export-plot " + base + ".pdf");
  ASSERT_EQ(run.status, 0) << run.err;

  const std::string svg = ReadFileBytes(base + ".svg");
  EXPECT_LT(svg.size(), 200u * 1024u);
  // The data points (blue) are one filled path, not a rectangle a pixel (the
  // residuals and the legend's two samples of them are the others).
  EXPECT_LE(Count(svg, "fill=\"#0000ff\""), style == "modern" ? 4u : 1u);
  EXPECT_LT(Count(svg, "<rect"), 100u);
  EXPECT_GE(Count(svg, "<path"), 3u);
  const std::string pdf = ReadFileBytes(base + ".pdf");
  ASSERT_EQ(pdf.substr(0, 5), "%PDF-");

  const QImage png(QString::fromStdString(base + ".png"));
  ASSERT_EQ(png.size(), QSize(700, 400));
  if (!QStandardPaths::findExecutable(QStringLiteral("rsvg-convert")).isEmpty()) {
    const QString out = QString::fromStdString(base + "-rsvg.png");
    ASSERT_TRUE(RunProgram(
        QStringLiteral("rsvg-convert"),
        {QStringLiteral("-w"), QStringLiteral("700"), QStringLiteral("-h"), QStringLiteral("400"),
         QString::fromStdString(base + ".svg"), QStringLiteral("-o"), out}));
    const Comparison c = Compare(png, QImage(out));
    EXPECT_GT(c.inkInPng, 3000);
    EXPECT_LT(c.differingShare, 0.03) << style;
    std::cout << style << ": " << svg.size() << " bytes of SVG, " << c.differingShare * 100
              << " % of the pixels differ from the PNG through rsvg-convert\n";
  }
  if (!QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
    const QString page = QString::fromStdString(base + "-page");
    ASSERT_TRUE(
        RunProgram(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("72"),
                    QStringLiteral("-singlefile"), QString::fromStdString(base + ".pdf"), page}));
    const Comparison c = Compare(png, QImage(page + ".png"));
    EXPECT_LT(c.differingShare, 0.03) << style;
    std::cout << style << ": " << pdf.size() << " bytes of PDF, " << c.differingShare * 100
              << " % of the pixels differ from the PNG through pdftoppm\n";
  }
}

INSTANTIATE_TEST_SUITE_P(Styles, VectorExport, ::testing::Values("classic", "modern"));
