// Time of one full redraw of the plot, as the screen repaints it on every
// mouse move of a rubber-band drag: a 9999-point profile with 10 peaks,
// unfitted and fitted, erased and drawn through ImageCanvas into a 700 x 400
// image. Prints the median per state and, as its last line, over both:
// draw_ms_median=X. Also checks that the direct pixel writes leave the same
// picture as drawing through a QPainter. With --check it only compares the
// two pictures, without the timing. Before the last line, a 2,000,000-point
// profile (a long position-sensitive detector scan): its load, a full redraw
// and a wheel step with its redraw, as large_draw_ms_median and
// large_wheel_ms_median.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "profile/TavDoc.h"
#include "render/ImageCanvas.h"
#include "render/PainterCanvas.h"
#include "view/AnsweringHost.h"
#include "view/TavView.h"

namespace {

constexpr int kPoints = 9999;
constexpr int kPeaks = 10;
constexpr int kRuns = 200;
constexpr int kLargePoints = 2'000'000;
constexpr int kLargeRuns = 21;

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

// Lorentzian peaks on a sloping line with a little deterministic noise,
// loaded as an open loads a profile.
void LoadProfile(CTavView& view, const std::vector<Peak>& peaks, int points = kPoints) {
  std::vector<double> x(points);
  std::vector<double> y(points);
  const double step = 0.007 * kPoints / points;
  for (int i = 1; i <= points; ++i) {
    x[i - 1] = 10.0 + step * (i - 1);
    y[i - 1] = 50.0 + 0.2 * x[i - 1] + 5.0 * std::sin(i * 0.7);
    for (const Peak& p : peaks) {
      const double u = (x[i - 1] - p.position) / p.width;
      y[i - 1] += p.height / (u * u + 1);
    }
  }
  view.GetDocument().SetPoints(x, y);
  view.TakeLoadedProfile();
}

// The peaks placed as double-clicks place them, a little above their tops,
// with the third selected.
void PlacePeaks(CTavView& view, const std::vector<Peak>& peaks) {
  view.OnPeakPosition();
  for (const Peak& p : peaks) view.AppendPeakAt(p.position, p.height + 55.0);
  for (int k = kPeaks; k > 3; --k) view.OnKeyDown(keys::kLeft);
}

// The peaks as a fit leaves them, on the line 0.2 x + 50.
void ShowFit(CTavView& view, const std::vector<Peak>& peaks) {
  std::vector<double> a(3 * kPeaks + 3, 0.0);
  for (int k = 1; k <= kPeaks; ++k) {
    a[3 * k - 2] = peaks[k - 1].height;
    a[3 * k - 1] = peaks[k - 1].position;
    a[3 * k] = peaks[k - 1].width;
  }
  a[3 * kPeaks + 1] = 0.2;
  a[3 * kPeaks + 2] = 50.0;
  view.MarkFitted();
  view.StoreFittedParameters(a);
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

// Both canvases draw the picture once; true when their pixels are equal.
bool CanvasesAgree(const CTavView& view) {
  QImage direct(plot::kPictureWidth, plot::kPictureHeight, QImage::Format_RGB32);
  DrawErased(view, direct);
  QImage painted(plot::kPictureWidth, plot::kPictureHeight, QImage::Format_RGB32);
  painted.fill(Qt::white);
  {
    QPainter painter(&painted);
    PainterCanvas canvas(painter);
    view.OnDraw(canvas);
  }
  return direct == painted;
}

double MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// The large profile: loading it into a view, redrawing it whole, and a wheel
// step (in, then out again) with the redraw that follows it.
void TimeLargeProfile(const std::vector<Peak>& peaks) {
  CTavDoc doc;
  AnsweringHost host;
  CTavView view(doc, host);
  const auto loadStart = std::chrono::steady_clock::now();
  LoadProfile(view, peaks, kLargePoints);
  const double loadMs = MsSince(loadStart);
  QImage image(plot::kPictureWidth, plot::kPictureHeight, QImage::Format_RGB32);
  DrawErased(view, image);
  std::vector<double> draws, wheels;
  for (int r = 0; r < kLargeRuns; ++r) {
    auto start = std::chrono::steady_clock::now();
    DrawErased(view, image);
    draws.push_back(MsSince(start));
    start = std::chrono::steady_clock::now();
    view.ZoomAbout(plot::kPictureWidth / 2, plot::kBottom - 20, r % 2 == 0 ? 1 : -1);
    DrawErased(view, image);
    wheels.push_back(MsSince(start));
  }
  std::printf("large: points=%d load_ms=%.1f\n", kLargePoints, loadMs);
  std::printf("large_draw_ms_median=%.3f\nlarge_wheel_ms_median=%.3f\n", Median(draws),
              Median(wheels));
}

}  // namespace

int main(int argc, char** argv) {
  const bool checkOnly = argc > 1 && std::strcmp(argv[1], "--check") == 0;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  CTavDoc doc;
  AnsweringHost host;
  CTavView view(doc, host);
  const std::vector<Peak> peaks = MakePeaks();
  LoadProfile(view, peaks);
  PlacePeaks(view, peaks);

  if (checkOnly) {
    // The pixels only, without the timing.
    const bool unfitted = CanvasesAgree(view);
    ShowFit(view, peaks);
    const bool fitted = CanvasesAgree(view);
    std::printf("unfitted pixels_identical=%d\nfitted pixels_identical=%d\n", unfitted, fitted);
    return unfitted && fitted ? EXIT_SUCCESS : EXIT_FAILURE;
  }

  std::vector<double> all;
  bool identical = true;
  for (const bool fitted : {false, true}) {
    if (fitted) ShowFit(view, peaks);
    QImage direct(plot::kPictureWidth, plot::kPictureHeight, QImage::Format_RGB32);
    const std::vector<double> ms = TimeDraws(view, direct);
    QImage painted(plot::kPictureWidth, plot::kPictureHeight, QImage::Format_RGB32);
    const double painterMs = TimePainterDraws(view, painted);
    identical = identical && direct == painted;
    std::printf(
        "%s: draws=%d median_ms=%.4f min_ms=%.4f painter_canvas_median_ms=%.3f "
        "pixels_identical=%d\n",
        fitted ? "fitted" : "unfitted", kRuns, Median(ms), *std::min_element(ms.begin(), ms.end()),
        painterMs, direct == painted ? 1 : 0);
    all.insert(all.end(), ms.begin(), ms.end());
  }
  TimeLargeProfile(peaks);
  std::printf("draw_ms_median=%.4f\n", Median(all));
  return identical ? EXIT_SUCCESS : EXIT_FAILURE;
}
