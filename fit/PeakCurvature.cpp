#include "fit/PeakCurvature.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

#include "fit/PeakShapes.h"

namespace {

// Points per block: a multiple of every path's lane count.
constexpr int kBlock = 32;
// Columns of the curvature triangle summed together.
constexpr int kTileColumns = 4;

namespace portable {
typedef double Vec __attribute__((vector_size(16)));
typedef Vec SumVec;
constexpr int kLanes = 2;
// The kernels need VectorMath.inc and the shapes' lanes first, for vectors and
// for groups of them.
// clang-format off
#include "fit/VectorMath.inc"
#include "fit/MixedShapeLanes.inc"
namespace grouped {
// Two SSE vectors side by side evaluated the mixed shapes 17% faster.
constexpr int kGroupSize = 2;
#include "fit/LaneGroup.inc"
typedef Group Vec;
constexpr int kLanes = kGroupSize * Group::kPartLanes;
#include "fit/VectorMath.inc"
#include "fit/MixedShapeLanes.inc"
}  // namespace grouped
#include "fit/PeakCurvatureKernel.inc"
// clang-format on
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
typedef Vec SumVec;
constexpr int kLanes = 4;
// The kernels need VectorMath.inc and the shapes' lanes first, for vectors and
// for groups of them.
// clang-format off
#include "fit/VectorMath.inc"
#include "fit/MixedShapeLanes.inc"
namespace grouped {
// Sixteen registers: a group of more vectors only spilled them.
constexpr int kGroupSize = 1;
#include "fit/LaneGroup.inc"
typedef Group Vec;
constexpr int kLanes = kGroupSize * Group::kPartLanes;
#include "fit/VectorMath.inc"
#include "fit/MixedShapeLanes.inc"
}  // namespace grouped
#include "fit/PeakCurvatureKernel.inc"
// clang-format on
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
// The curvature sums go by four lanes: rows rounded up to fours rather than
// eights compute fewer products past the diagonal and the last row (for 42
// parameters 1056 a point instead of 1312), and on a processor that splits
// 512-bit operations in two (AMD Zen 4) 256-bit tiles summed 10-15% faster
// than 512-bit tiles of the same rows. The model's evaluation and the
// weighting stay 512 bits wide.
typedef double SumVec __attribute__((vector_size(32)));
constexpr int kLanes = 8;
// The kernels need VectorMath.inc and the shapes' lanes first, for vectors and
// for groups of them.
// clang-format off
#include "fit/VectorMath.inc"
#include "fit/MixedShapeLanes.inc"
namespace grouped {
// Four 512-bit vectors side by side (a whole block) evaluated the
// pseudo-Voigt 20% faster on AMD Zen 4 than one at a time.
constexpr int kGroupSize = 4;
#include "fit/LaneGroup.inc"
typedef Group Vec;
constexpr int kLanes = kGroupSize * Group::kPartLanes;
#include "fit/VectorMath.inc"
#include "fit/MixedShapeLanes.inc"
}  // namespace grouped
#include "fit/PeakCurvatureKernel.inc"
// clang-format on
}  // namespace avx512
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
#endif

struct Kernels {
  void (*evaluate)(const double* x, int n, const double a[], int npar, int shape,
                   const BackgroundBasis& background, double* value, double* deriv);
  void (*weigh)(const double* const column[], int nfit, const double* w, int n, int stride,
                double* t);
  void (*triangle)(const double* t, const double* const column[], int nfit, int n, int stride,
                   double* acc);
  void (*beta)(const double* t, const double* dy, int nfit, int n, int stride, double* beta);
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

// Work space of one call in one allocation, each array on a cache line of
// its own; padding entries stay 0. The derivative rows past nfit (up to
// stride) are a row of zeros.
class BlockBuffers {
 public:
  BlockBuffers(int npar, const int lista[], int nfit, int stride) {
    const std::size_t sizes[] = {static_cast<std::size_t>(npar + 1) * kBlock,  // deriv
                                 kBlock,                                       // value
                                 kBlock,                                       // w
                                 kBlock,                                       // dy
                                 kBlock,                                       // zeros
                                 static_cast<std::size_t>(stride) * kBlock,    // t
                                 static_cast<std::size_t>(stride) * stride,    // acc
                                 static_cast<std::size_t>(stride)};            // beta
    std::size_t total = kLineDoubles;
    for (const std::size_t size : sizes) total += RoundToLine(size);
    storage_.assign(total, 0.0);
    double* next = AlignedStart();
    double** arrays[] = {&deriv, &value, &w, &dy, &zeros, &t, &acc, &beta};
    for (std::size_t a = 0; a < std::size(arrays); ++a) {
      *arrays[a] = next;
      next += RoundToLine(sizes[a]);
    }
    column.assign(stride, zeros);
    for (int k = 0; k < nfit; ++k) column[k] = deriv + lista[k + 1] * kBlock;
  }

  double *deriv, *value, *w, *dy, *zeros, *t, *acc, *beta;
  std::vector<const double*> column;

 private:
  static constexpr std::size_t kLineDoubles = 64 / sizeof(double);
  static std::size_t RoundToLine(std::size_t n) {
    return (n + kLineDoubles - 1) / kLineDoubles * kLineDoubles;
  }
  double* AlignedStart() {
    const auto address = reinterpret_cast<std::uintptr_t>(storage_.data());
    const std::size_t skip = (64 - address % 64) % 64 / sizeof(double);
    return storage_.data() + skip;
  }
  std::vector<double> storage_;
};

// Weights and residuals point by point, and the chi-square sum of one
// block's points (i from start, n points) in order.
void GatherBlock(const double y[], const double sig[], int start, int n, BlockBuffers& b,
                 double& chisq) {
  for (int i = 0; i < n; ++i) {
    const double w = 1.0 / (sig[start + i] * sig[start + i]);
    const double dy = y[start + i] - b.value[i];
    b.w[i] = w;
    b.dy[i] = dy;
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
                     double beta[], double& chisq, int shape, SimdPath path,
                     const BackgroundBasis& background) {
  const Kernels kernels = KernelsFor(path);
  const int stride = (nfit + 7) / 8 * 8;
  BlockBuffers b(npar, lista, nfit, stride);
  double sum = 0.0;
  for (int start = 1; start <= npt; start += kBlock) {
    const int n = npt - start + 1 < kBlock ? npt - start + 1 : kBlock;
    kernels.evaluate(x + start, n, a, npar, shape, background, b.value, b.deriv);
    GatherBlock(y, sig, start, n, b, sum);
    kernels.weigh(b.column.data(), nfit, b.w, n, stride, b.t);
    kernels.triangle(b.t, b.column.data(), nfit, n, stride, b.acc);
    kernels.beta(b.t, b.dy, nfit, n, stride, b.beta);
  }
  for (int j = 1; j <= nfit; ++j) {
    for (int k = 1; k <= j; ++k) alpha[j][k] = b.acc[(k - 1) * stride + (j - 1)];
    beta[j] = b.beta[j - 1];
  }
  chisq = sum;
  for (int j = 2; j <= nfit; ++j) {
    for (int k = 1; k < j; ++k) alpha[k][j] = alpha[j][k];
  }
}
