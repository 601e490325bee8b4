#include "fit/PeakCurvature.h"

#include <vector>

#include "fit/PeakModel.h"

namespace {

// Points per block: a multiple of every path's lane count.
constexpr int kBlock = 32;

namespace portable {
typedef double Vec __attribute__((vector_size(16)));
constexpr int kLanes = 2;
#include "fit/PeakCurvatureKernel.inc"
}  // namespace portable

#if defined(__x86_64__)
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
namespace avx2 {
typedef double Vec __attribute__((vector_size(32)));
constexpr int kLanes = 4;
#include "fit/PeakCurvatureKernel.inc"
}  // namespace avx2
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx512f"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx512f")
#endif
namespace avx512 {
typedef double Vec __attribute__((vector_size(64)));
constexpr int kLanes = 8;
#include "fit/PeakCurvatureKernel.inc"
}  // namespace avx512
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
#endif

struct Kernels {
  void (*evaluate)(const double* x, int n, const double a[], int npar, int shape, double* value,
                   double* deriv);
  void (*weigh)(const double* deriv, const int lista[], int nfit, const double* w, double* t);
  void (*triangle)(const double* t, const double* dl, int n, int stride, double* acc);
  void (*beta)(const double* dl, const double* w, const double* dy, int n, int stride,
               double* beta);
};

Kernels KernelsFor(SimdPath path) {
#if defined(__x86_64__)
  if (path == SimdPath::Avx512) {
    return {avx512::EvaluateBlock, avx512::WeighBlock, avx512::AccumulateTriangle,
            avx512::AccumulateBeta};
  }
  if (path == SimdPath::Avx2)
    return {avx2::EvaluateBlock, avx2::WeighBlock, avx2::AccumulateTriangle, avx2::AccumulateBeta};
#endif
  (void)path;
  return {portable::EvaluateBlock, portable::WeighBlock, portable::AccumulateTriangle,
          portable::AccumulateBeta};
}

// Work space of one call; padding entries stay 0.
struct BlockBuffers {
  BlockBuffers(int npar, int stride)
      : deriv((npar + 1) * kBlock),
        value(kBlock),
        w(kBlock, 1.0),
        dy(kBlock),
        dl(kBlock * stride, 0.0),
        t(stride * kBlock, 0.0),
        acc(stride * stride, 0.0),
        beta(stride, 0.0) {}
  std::vector<double> deriv, value, w, dy, dl, t, acc, beta;
};

// Weights, residuals, derivatives in fitted order point by point, and the
// chi-square sum of one block's points (i from start, n points).
void GatherBlock(const double y[], const double sig[], int start, int n, const int lista[],
                 int nfit, int stride, BlockBuffers& b, double& chisq) {
  for (int i = 0; i < n; ++i) {
    const double w = 1.0 / (sig[start + i] * sig[start + i]);
    const double dy = y[start + i] - b.value[i];
    b.w[i] = w;
    b.dy[i] = dy;
    double* dl = b.dl.data() + i * stride;
    for (int j = 0; j < nfit; ++j) dl[j] = b.deriv[lista[j + 1] * kBlock + i];
    chisq = (dy * dy) * w + chisq;
  }
}

}  // namespace

bool SimdPathSupported(SimdPath path) {
#if defined(__x86_64__)
  if (path == SimdPath::Avx512) return __builtin_cpu_supports("avx512f");
  if (path == SimdPath::Avx2) return __builtin_cpu_supports("avx2");
#endif
  return path == SimdPath::Portable;
}

SimdPath FastestSimdPath() {
  static const SimdPath fastest = SimdPathSupported(SimdPath::Avx512) ? SimdPath::Avx512
                                  : SimdPathSupported(SimdPath::Avx2) ? SimdPath::Avx2
                                                                      : SimdPath::Portable;
  return fastest;
}

void curvature_peaks(const double x[], const double y[], const double sig[], int npt,
                     const double a[], int npar, const int lista[], int nfit, double** alpha,
                     double beta[], double& chisq, SimdPath path) {
  const Kernels kernels = KernelsFor(path);
  const int stride = (nfit + 7) / 8 * 8;
  BlockBuffers b(npar, stride);
  const int shape = g_function;
  double sum = 0.0;
  for (int start = 1; start <= npt; start += kBlock) {
    const int n = npt - start + 1 < kBlock ? npt - start + 1 : kBlock;
    kernels.evaluate(x + start, n, a, npar, shape, b.value.data(), b.deriv.data());
    GatherBlock(y, sig, start, n, lista, nfit, stride, b, sum);
    kernels.weigh(b.deriv.data(), lista, nfit, b.w.data(), b.t.data());
    kernels.triangle(b.t.data(), b.dl.data(), n, stride, b.acc.data());
    kernels.beta(b.dl.data(), b.w.data(), b.dy.data(), n, stride, b.beta.data());
  }
  for (int j = 1; j <= nfit; ++j) {
    for (int k = 1; k <= j; ++k) alpha[j][k] = b.acc[(j - 1) * stride + (k - 1)];
    beta[j] = b.beta[j - 1];
  }
  chisq = sum;
  for (int j = 2; j <= nfit; ++j) {
    for (int k = 1; k < j; ++k) alpha[k][j] = alpha[j][k];
  }
}
