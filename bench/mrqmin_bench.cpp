// Times mrqmin as the fit command drives it: ten Lorentzian peaks on a line,
// a 4000-point window, one starting call and ten step calls per fit. With
// --check it times nothing and checks instead that every instruction-set path
// of the curvature sums gives the point-by-point sums bit for bit, and that
// the fit lowers chi-square.
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
constexpr int kNpar = 3 * kPeaks + 2;
constexpr int kFits = 25;
constexpr int kStepCalls = 10;

struct Problem {
  std::vector<double> x, y, sig, start;
};

// Peaks spread over 20..60 degrees with a deterministic ripple as noise; the
// start is each parameter a little off, as a user's placement would be.
Problem MakeProblem() {
  Problem p;
  p.x.assign(kPoints + 1, 0.0);
  p.y.assign(kPoints + 1, 0.0);
  p.sig.assign(kPoints + 1, 1.0);
  std::vector<double> truth(kNpar + 1, 0.0);
  for (int k = 1; k <= kPeaks; ++k) {
    truth[3 * k - 2] = 200.0 + 90.0 * k;
    truth[3 * k - 1] = 20.0 + 4.0 * k - 1.7;
    truth[3 * k] = 0.08 + 0.01 * k;
  }
  truth[kNpar - 1] = -0.5;
  truth[kNpar] = 80.0;
  for (int i = 1; i <= kPoints; ++i) {
    p.x[i] = 20.0 + 0.01 * (i - 1);
    double v = 0.0;
    peakvalue(p.x[i], truth.data(), v, kNpar);
    p.y[i] = v + 3.0 * std::sin(0.37 * i);
  }
  p.start = truth;
  for (int k = 1; k <= kPeaks; ++k) {
    p.start[3 * k - 2] *= 0.9;
    p.start[3 * k - 1] += 0.02;
    p.start[3 * k] *= 1.3;
  }
  p.start[kNpar - 1] = 0.0;
  p.start[kNpar] = p.y[1];
  return p;
}

// One fit; appends the time of each mrqmin call in milliseconds.
std::vector<double> TimedFit(const Problem& p, std::vector<double>& times) {
  std::vector<double> a = p.start;
  std::vector<int> lista(kNpar + 1);
  for (int k = 1; k <= kNpar; ++k) lista[k] = k;
  double** covar = matrix(1, kNpar, 1, kNpar);
  double** alpha = matrix(1, kNpar, 1, kNpar);
  double chisq = 0.0, lambda = -1.0;
  for (int call = 0; call <= kStepCalls; ++call) {
    const auto t0 = std::chrono::steady_clock::now();
    mrqmin(p.x.data(), p.y.data(), p.sig.data(), kPoints, a.data(), kNpar, lista.data(), kNpar,
           covar, alpha, chisq, peakmodel, lambda);
    const auto t1 = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
  }
  mrqmin_abandon();
  release_matrix(alpha, 1, kNpar, 1, kNpar);
  release_matrix(covar, 1, kNpar, 1, kNpar);
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

// The peak model behind another address: curvature then takes the
// point-by-point route.
void PointByPointModel(double x, const double a[], double& value, double deriv[], int npar) {
  peakmodel(x, a, value, deriv, npar);
}

// Alpha (lower triangle and diagonal), beta and chi-square of one curvature
// call, in that order.
std::vector<double> CurvatureSums(const Problem& p, const std::vector<double>& a,
                                  const SimdPath* path) {
  std::vector<int> lista(kNpar + 1);
  for (int k = 1; k <= kNpar; ++k) lista[k] = k;
  double** alpha = matrix(1, kNpar, 1, kNpar);
  std::vector<double> beta(kNpar + 1, 0.0);
  double chisq = 0.0;
  if (path != nullptr) {
    curvature_peaks(p.x.data(), p.y.data(), p.sig.data(), kPoints, a.data(), kNpar, lista.data(),
                    kNpar, alpha, beta.data(), chisq, *path);
  } else {
    curvature(p.x.data(), p.y.data(), p.sig.data(), kPoints, a.data(), kNpar, lista.data(), kNpar,
              alpha, beta.data(), chisq, PointByPointModel);
  }
  std::vector<double> sums;
  for (int j = 1; j <= kNpar; ++j) {
    for (int k = 1; k <= j; ++k) sums.push_back(alpha[j][k]);
  }
  sums.insert(sums.end(), beta.begin() + 1, beta.end());
  sums.push_back(chisq);
  release_matrix(alpha, 1, kNpar, 1, kNpar);
  return sums;
}

bool Identical(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

int Check(const Problem& problem) {
  bool ok = true;
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
  std::printf("check=%s\n", ok ? "ok" : "failed");
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  g_function = kLorentzian;
  const Problem problem = MakeProblem();
  if (argc > 1 && std::strcmp(argv[1], "--check") == 0) return Check(problem);
  std::vector<double> times;
  std::vector<double> result;
  for (int fit = 0; fit < kFits; ++fit) result = TimedFit(problem, times);
  std::sort(times.begin(), times.end());
  const double median = times[times.size() / 2];
  std::printf("fits=%d calls=%zu points=%d parameters=%d\n", kFits, times.size(), kPoints, kNpar);
  std::printf("chisq=%.17g fingerprint=%016llx\n", result.back(),
              static_cast<unsigned long long>(Fingerprint(result)));
  std::printf("mrqmin_ms_min=%.4f\n", times.front());
  std::printf("mrqmin_ms_median=%.4f\n", median);
  return 0;
}
