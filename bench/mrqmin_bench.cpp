// Times mrqmin as the fit command drives it: ten Lorentzian peaks on a line,
// a 4000-point window, one starting call and ten step calls per fit; then the
// same with ten pseudo-Voigt peaks, and with those on a background series of
// order 6. With --check it times nothing and checks instead, for each, that
// every instruction-set path of the curvature sums gives the point-by-point
// sums bit for bit, and that the fit lowers chi-square. With --only lorentz
// or --only pvoigt it times that case alone (for a profiler's count).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "fit/Allocators.h"
#include "fit/Curvature.h"
#include "fit/Mrqmin.h"
#include "fit/PeakCurvature.h"
#include "fit/PeakModel.h"

namespace {

constexpr int kPeaks = 10;
constexpr int kPoints = 4000;
constexpr int kFits = 25;
constexpr int kStepCalls = 10;

struct Problem {
  int shape = kLorentzian;
  int peaks = kPeaks;
  int points = kPoints;
  int npar = 0;
  BackgroundBasis background;
  std::vector<double> x, y, sig, start;
};

// Peaks spread over 20..60 degrees with a deterministic ripple as noise; the
// start is each parameter a little off, as a user's placement would be.
// The pseudo-Voigt peaks mix in their Lorentzian share by η = 0.3..0.75 and
// start from η = 0.5. A background of another order than the line's is a
// curved series over the window, started flat.
Problem MakeProblem(int shape, int peaks = kPeaks, int points = kPoints,
                    int order = kLineBackgroundOrder) {
  const BackgroundBasis background = BackgroundOver(order, 20.0, 60.0);
  const PeakModel model(shape, {}, background);
  const int per = PeakParameterCount(shape);
  const int terms = background.Terms();
  const int npar = per * peaks + terms;
  Problem p;
  p.background = background;
  p.shape = shape;
  p.peaks = peaks;
  p.points = points;
  p.npar = npar;
  p.x.assign(points + 1, 0.0);
  p.y.assign(points + 1, 0.0);
  p.sig.assign(points + 1, 1.0);
  // Ten peaks 4° apart over 4000 points 0.01° apart; more peaks closer, more
  // points finer, over the same 40°.
  const double spacing = 40.0 / peaks;
  const double step = 40.0 / points;
  std::vector<double> truth(npar + 1, 0.0);
  for (int k = 1; k <= peaks; ++k) {
    const int i = per * (k - 1) + 1;
    const int tenth = (k - 1) % 10 + 1;
    truth[i] = 200.0 + 90.0 * k;
    truth[i + 1] = 20.0 + spacing * k - 1.7 * spacing / 4.0;
    truth[i + 2] = 0.08 + 0.01 * tenth;
    if (per == 4) truth[i + 3] = 0.25 + 0.05 * tenth;
  }
  if (background.IsLine()) {
    truth[npar - 1] = -0.5;
    truth[npar] = 80.0;
  } else {
    for (int k = 0; k < terms; ++k) truth[npar - terms + 1 + k] = 80.0 / (k + 1) * (k % 2 ? -1 : 1);
  }
  for (int i = 1; i <= points; ++i) {
    p.x[i] = 20.0 + step * (i - 1);
    double v = 0.0;
    model.Value(p.x[i], truth.data(), v, npar);
    p.y[i] = v + 3.0 * std::sin(0.37 * i);
  }
  p.start = truth;
  for (int k = 1; k <= peaks; ++k) {
    const int i = per * (k - 1) + 1;
    p.start[i] *= 0.9;
    p.start[i + 1] += 0.02;
    p.start[i + 2] *= 1.3;
    if (per == 4) p.start[i + 3] = StartingShapeParameter(shape);
  }
  for (int k = npar - terms + 1; k <= npar; ++k) p.start[k] = 0.0;
  p.start[background.IsLine() ? npar : npar - terms + 1] = p.y[1];
  return p;
}

// One fit; appends the time of each mrqmin call in milliseconds.
std::vector<double> TimedFit(const Problem& p, std::vector<double>& times) {
  const PeakModel model(p.shape, {}, p.background);
  MrqminSequence sequence;
  const int npar = p.npar;
  std::vector<double> a = p.start;
  std::vector<int> lista(npar + 1);
  for (int k = 1; k <= npar; ++k) lista[k] = k;
  double** covar = matrix(1, npar, 1, npar);
  double** alpha = matrix(1, npar, 1, npar);
  double chisq = 0.0, lambda = -1.0;
  for (int call = 0; call <= kStepCalls; ++call) {
    const auto t0 = std::chrono::steady_clock::now();
    mrqmin(p.x.data(), p.y.data(), p.sig.data(), p.points, a.data(), npar, lista.data(), npar,
           covar, alpha, chisq, model, lambda, sequence);
    const auto t1 = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
  }
  sequence.Release();
  release_matrix(alpha, 1, npar, 1, npar);
  release_matrix(covar, 1, npar, 1, npar);
  a.push_back(chisq);
  return a;
}

// FNV-1a over the bits of the results, to compare builds and code paths.
std::uint64_t Fingerprint(const std::vector<double>& values) {
  std::uint64_t h = 1469598103934665603ull;
  for (const double v : values) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int b = 0; b < 8; ++b) h = (h ^ ((bits >> (8 * b)) & 0xff)) * 1099511628211ull;
  }
  return h;
}

// Alpha (lower triangle and diagonal), beta and chi-square of one curvature
// call, in that order.
std::vector<double> CurvatureSums(const Problem& p, const std::vector<double>& a,
                                  const SimdPath* path) {
  const PeakModel model(p.shape, {}, p.background);
  const int npar = p.npar;
  std::vector<int> lista(npar + 1);
  for (int k = 1; k <= npar; ++k) lista[k] = k;
  double** alpha = matrix(1, npar, 1, npar);
  std::vector<double> beta(npar + 1, 0.0);
  double chisq = 0.0;
  if (path != nullptr) {
    curvature_peaks(p.x.data(), p.y.data(), p.sig.data(), p.points, a.data(), npar, lista.data(),
                    npar, alpha, beta.data(), chisq, p.shape, *path, p.background);
  } else {
    curvature_pointwise(p.x.data(), p.y.data(), p.sig.data(), p.points, a.data(), npar,
                        lista.data(), npar, alpha, beta.data(), chisq, model);
  }
  std::vector<double> sums;
  for (int j = 1; j <= npar; ++j) {
    for (int k = 1; k <= j; ++k) sums.push_back(alpha[j][k]);
  }
  sums.insert(sums.end(), beta.begin() + 1, beta.end());
  sums.push_back(chisq);
  release_matrix(alpha, 1, npar, 1, npar);
  return sums;
}

bool Identical(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

bool Check(const Problem& problem) {
  bool ok = true;
  std::printf("shape=%d background_order=%d\n", problem.shape, problem.background.order);
  const std::vector<double> reference = CurvatureSums(problem, problem.start, nullptr);
  for (const SimdPath path : {SimdPath::Portable, SimdPath::Avx2, SimdPath::Avx512}) {
    if (!SimdPathSupported(path)) continue;
    const bool same = Identical(CurvatureSums(problem, problem.start, &path), reference);
    std::printf("path=%d identical=%d\n", static_cast<int>(path), same ? 1 : 0);
    ok = ok && same;
  }
  std::vector<double> times;
  const std::vector<double> fitted = TimedFit(problem, times);
  const double startChisq = reference.back();
  std::printf("chisq_start=%.17g chisq_fitted=%.17g\n", startChisq, fitted.back());
  ok = ok && fitted.back() < startChisq;
  return ok;
}

// The median time of an mrqmin call over kFits fits, with the figures of
// the last fit.
double MedianCallTime(const Problem& problem, const char* name) {
  std::vector<double> times;
  std::vector<double> result;
  for (int fit = 0; fit < kFits; ++fit) result = TimedFit(problem, times);
  std::sort(times.begin(), times.end());
  std::printf("%s: fits=%d calls=%zu points=%d parameters=%d\n", name, kFits, times.size(),
              problem.points, problem.npar);
  std::printf("%s: chisq=%.17g fingerprint=%016llx\n", name, result.back(),
              static_cast<unsigned long long>(Fingerprint(result)));
  std::printf("%s: mrqmin_ms_min=%.4f\n", name, times.front());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const Problem lorentz = MakeProblem(kLorentzian);
  const Problem pseudoVoigt = MakeProblem(kPseudoVoigt);
  const Problem onSeries = MakeProblem(kPseudoVoigt, kPeaks, kPoints, kMaxBackgroundOrder);
  if (argc > 1 && std::strcmp(argv[1], "--check") == 0) {
    const bool ok = Check(lorentz) && Check(pseudoVoigt) && Check(onSeries);
    std::printf("check=%s\n", ok ? "ok" : "failed");
    return ok ? 0 : 1;
  }
  if (argc > 2 && std::strcmp(argv[1], "--only") == 0) {
    const bool isLorentz = std::strcmp(argv[2], "lorentz") == 0;
    if (!isLorentz && std::strcmp(argv[2], "pvoigt") != 0) {
      std::fprintf(stderr, "mrqmin_bench: --only takes lorentz or pvoigt, not %s\n", argv[2]);
      return 2;
    }
    const double median = MedianCallTime(isLorentz ? lorentz : pseudoVoigt, argv[2]);
    std::printf("%s_mrqmin_ms_median=%.4f\n", argv[2], median);
    return 0;
  }
  const double lorentzMedian = MedianCallTime(lorentz, "lorentz");
  const double pseudoVoigtMedian = MedianCallTime(pseudoVoigt, "pvoigt");
  const double onSeriesMedian = MedianCallTime(onSeries, "pvoigt_order6");
  // Fifty pseudo-Voigt peaks over 20,000 points: a whole-pattern window.
  const double manyMedian = MedianCallTime(MakeProblem(kPseudoVoigt, 50, 20000), "pvoigt50");
  std::printf("mrqmin_ms_median=%.4f\n", lorentzMedian);
  std::printf("pvoigt_mrqmin_ms_median=%.4f\n", pseudoVoigtMedian);
  std::printf("pvoigt_order6_mrqmin_ms_median=%.4f\n", onSeriesMedian);
  std::printf("pvoigt50_points20000_mrqmin_ms_median=%.4f\n", manyMedian);
  return 0;
}
