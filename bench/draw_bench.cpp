// Time of one full redraw of the plot, as the screen repaints it on every
// mouse move of a rubber-band drag: a 9999-point profile with 10 peaks,
// unfitted and fitted, erased and drawn through ImageCanvas into a 700 x 400
// image. Prints the median per state and, as its last line, over both:
// draw_ms_median=X. Also checks that the direct pixel writes leave the same
// picture as drawing through a QPainter.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/canvas/ImageCanvas.h"
#include "app/canvas/PainterCanvas.h"
#include "doc/TavDoc.h"
#include "view/Host.h"
#include "view/TavView.h"

namespace {

constexpr int kPoints = 9999;
constexpr int kPeaks = 10;
constexpr int kRuns = 200;

class SilentHost : public Host {
 public:
  void Repaint() override {}
  void DrawOverlay(const std::function<void(Canvas&)>&) override {}
  bool FileTypeDialog(int&) override { return false; }
  bool OpenFileDialog(std::string&) override { return false; }
  bool ColumnDialog(ColumnSettings&) override { return false; }
  bool RangeDialog(RangeValues&) override { return false; }
  bool FitConditionDialog(FitConditions&) override { return false; }
  bool SaveFileDialog(std::string&) override { return false; }
  void MessageBox(const std::string&, MessageIcon) override {}
};

struct Peak {
  double height, position, width;
};

std::vector<Peak> MakePeaks() {
  std::vector<Peak> peaks;
  for (int k = 0; k < kPeaks; ++k) {
    peaks.push_back({200.0 + 90.0 * k, 14.0 + 6.5 * k, 0.08 + 0.01 * k});
  }
  return peaks;
}

// Lorentzian peaks on a sloping line with a little deterministic noise.
void LoadProfile(CTavView& view, const std::vector<Peak>& peaks) {
  CTavDoc& doc = view.GetDocument();
  doc.m_nData = kPoints;
  doc.Reserve(kPoints);
  for (int i = 1; i <= kPoints; ++i) {
    const double x = 10.0 + 0.007 * (i - 1);
    double y = 50.0 + 0.2 * x + 5.0 * std::sin(i * 0.7);
    for (const Peak& p : peaks) {
      const double u = (x - p.position) / p.width;
      y += p.height / (u * u + 1);
    }
    doc.m_x[i] = x;
    doc.m_y[i] = y;
  }
  doc.ComputeYExtremes();
  view.SetRangeFromDocument();
}

void PlacePeaks(CTavView& view, const std::vector<Peak>& peaks, bool fitted) {
  view.m_nPeak = kPeaks;
  view.m_curPeak = 3;
  for (int k = 1; k <= kPeaks; ++k) {
    const Peak& p = peaks[k - 1];
    view.m_position[k] = p.position;
    view.m_height[k] = fitted ? p.height : p.height + 55.0;
    view.m_width[k] = p.width;
  }
  view.m_bgA = 0.2;
  view.m_bgB = 50.0;
  view.m_bFitted = fitted ? 1 : 0;
}

void DrawErased(const CTavView& view, QImage& image) {
  image.fill(Qt::white);
  ImageCanvas canvas(image);
  view.OnDraw(canvas);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Milliseconds of each of kRuns full draws.
std::vector<double> TimeDraws(const CTavView& view, QImage& image) {
  std::vector<double> ms;
  DrawErased(view, image);  // warm-up: fonts, caches
  for (int r = 0; r < kRuns; ++r) {
    const auto start = std::chrono::steady_clock::now();
    DrawErased(view, image);
    const auto stop = std::chrono::steady_clock::now();
    ms.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
  }
  return ms;
}

// The same drawing through a QPainter (as printing draws it), for comparison.
double TimePainterDraws(const CTavView& view, QImage& image) {
  std::vector<double> ms;
  for (int r = 0; r < 10; ++r) {
    const auto start = std::chrono::steady_clock::now();
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      PainterCanvas canvas(painter);
      view.OnDraw(canvas);
    }
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count());
  }
  return Median(ms);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  CTavDoc doc;
  SilentHost host;
  CTavView view(doc, host);
  const std::vector<Peak> peaks = MakePeaks();
  LoadProfile(view, peaks);

  std::vector<double> all;
  bool identical = true;
  for (const bool fitted : {false, true}) {
    PlacePeaks(view, peaks, fitted);
    QImage direct(700, 400, QImage::Format_RGB32);
    const std::vector<double> ms = TimeDraws(view, direct);
    QImage painted(700, 400, QImage::Format_RGB32);
    const double painterMs = TimePainterDraws(view, painted);
    identical = identical && direct == painted;
    std::printf(
        "%s: draws=%d median_ms=%.4f min_ms=%.4f painter_canvas_median_ms=%.3f "
        "pixels_identical=%d\n",
        fitted ? "fitted" : "unfitted", kRuns, Median(ms), *std::min_element(ms.begin(), ms.end()),
        painterMs, direct == painted ? 1 : 0);
    all.insert(all.end(), ms.begin(), ms.end());
  }
  std::printf("draw_ms_median=%.4f\n", Median(all));
  return identical ? EXIT_SUCCESS : EXIT_FAILURE;
}
