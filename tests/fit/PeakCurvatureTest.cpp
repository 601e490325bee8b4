#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "fit/Allocators.h"
#include "fit/Curvature.h"
#include "fit/PeakCurvature.h"
#include "fit/PeakModel.h"

namespace {

struct Result {
  std::vector<double> alpha, beta;
  double chisq = 0;
};

struct Case {
  std::vector<double> x{0}, y{0}, sig{0}, a;
  std::vector<int> lista;
  int nfit = 0;

  int npt() const { return static_cast<int>(x.size()) - 1; }
  int npar() const { return static_cast<int>(a.size()) - 1; }

  template <class Curvature>
  Result Run(Curvature curv) const {
    const int n = npar();
    double** alpha = matrix(1, n, 1, n);
    for (int j = 1; j <= n; ++j)
      for (int k = 1; k <= n; ++k) alpha[j][k] = -7.0;  // untouched outside 1..nfit
    std::vector<double> beta(n + 1, -7.0);
    Result r;
    curv(alpha, beta.data(), r.chisq);
    for (int j = 1; j <= n; ++j)
      for (int k = 1; k <= n; ++k) r.alpha.push_back(alpha[j][k]);
    r.beta = beta;
    release_matrix(alpha, 1, n, 1, n);
    return r;
  }
};

// Bit for bit, except that any NaN matches any NaN: which NaN an operation on
// two NaNs returns depends on the compiler's operand order, not on the source.
bool SameBits(const std::vector<double>& p, const std::vector<double>& q) {
  if (p.size() != q.size()) return false;
  for (std::size_t i = 0; i < p.size(); ++i) {
    if (std::isnan(p[i]) && std::isnan(q[i])) continue;
    if (std::memcmp(&p[i], &q[i], sizeof(double)) != 0) return false;
  }
  return true;
}

// Peaks with varied parameters over a point count that is no multiple of
// the block or lane sizes; sigmas differ from 1 so the weights matter. The
// mixed shapes get a shape parameter, on both sides of its usual range.
Case MakeCase(int peaks, int points, int nfit, int shape = kLorentzian) {
  Case c;
  for (int i = 1; i <= points; ++i) {
    const double x = 10.0 + 0.013 * i;
    c.x.push_back(x);
    c.y.push_back(100.0 + 50.0 * std::sin(0.05 * i) + 0.37 * i);
    c.sig.push_back(1.0 + 0.1 * (i % 7));
  }
  c.a.push_back(0.0);
  for (int k = 1; k <= peaks; ++k) {
    c.a.push_back(80.0 + 13.0 * k);
    c.a.push_back(10.0 + 0.013 * points * k / (peaks + 1));
    c.a.push_back(k % 3 == 0 ? -0.07 * k : 0.05 * k);
    if (shape == kPseudoVoigt) c.a.push_back(-0.1 + 0.13 * k);
    if (shape == kPearson7) c.a.push_back(0.4 + 0.3 * k);
  }
  c.a.push_back(0.25);
  c.a.push_back(7.5);
  const int npar = c.npar();
  c.lista.assign(npar + 1, 0);
  // Fitted parameters in reverse order, the rest held.
  for (int j = 1; j <= npar; ++j) c.lista[j] = npar + 1 - j;
  c.nfit = nfit;
  return c;
}

TEST(PeakCurvature, EveryPathMatchesThePointByPointSumsBitForBit) {
  const double inf = std::numeric_limits<double>::infinity();
  for (const int shape : {0, 1, 2, 3, -1}) {
    const PeakModel model(shape);
    const int per = PeakParameterCount(shape);
    std::vector<Case> cases = {MakeCase(10, 4001, per * 10 + 2, shape),
                               MakeCase(3, 77, 11, shape),
                               MakeCase(1, 5, 5, shape),
                               MakeCase(0, 33, 2, shape),
                               MakeCase(2, 40, 3, shape),
                               MakeCase(10, 131, 29, shape),
                               MakeCase(4, 3, 13, shape)};
    Case bad = MakeCase(2, 70, 8, shape);
    bad.y[13] = std::nan("");
    bad.a[3] = 0.0;  // a zero width divides by zero
    bad.x[20] = inf;
    cases.push_back(bad);
    for (const Case& c : cases) {
      const Result want = c.Run([&](double** alpha, double* beta, double& chisq) {
        curvature_pointwise(c.x.data(), c.y.data(), c.sig.data(), c.npt(), c.a.data(), c.npar(),
                            c.lista.data(), c.nfit, alpha, beta, chisq, model);
      });
      // The model's own route, whichever it takes.
      const Result own = c.Run([&](double** alpha, double* beta, double& chisq) {
        curvature(c.x.data(), c.y.data(), c.sig.data(), c.npt(), c.a.data(), c.npar(),
                  c.lista.data(), c.nfit, alpha, beta, chisq, model);
      });
      const auto shapeAndSize = ::testing::Message()
                                << "shape " << shape << " npt " << c.npt() << " nfit " << c.nfit;
      EXPECT_TRUE(SameBits(own.alpha, want.alpha)) << shapeAndSize;
      EXPECT_TRUE(SameBits(own.beta, want.beta)) << shapeAndSize;
      EXPECT_TRUE(SameBits({own.chisq}, {want.chisq})) << shapeAndSize;
      for (const SimdPath path : {SimdPath::Portable, SimdPath::Avx2, SimdPath::Avx512}) {
        if (!SimdPathSupported(path)) continue;
        const Result got = c.Run([&](double** alpha, double* beta, double& chisq) {
          curvature_peaks(c.x.data(), c.y.data(), c.sig.data(), c.npt(), c.a.data(), c.npar(),
                          c.lista.data(), c.nfit, alpha, beta, chisq, shape, path);
        });
        const auto where = ::testing::Message()
                           << "shape " << shape << " npt " << c.npt() << " nfit " << c.nfit
                           << " path " << static_cast<int>(path);
        EXPECT_TRUE(SameBits(got.alpha, want.alpha)) << where;
        EXPECT_TRUE(SameBits(got.beta, want.beta)) << where;
        EXPECT_TRUE(SameBits({got.chisq}, {want.chisq})) << where;
      }
    }
  }
}

// With the doublet on, the model's route sums both lines of every peak:
// the same numbers as point by point, and not those of single lines.
TEST(PeakCurvature, TheDoubletModelSumsBothLines) {
  for (const int shape : {0, 1, 2, 3}) {
    const PeakModel single(shape);
    const PeakModel doublet(shape, DoubletLines{true, 1.544426 / 1.540593, 0.5});
    const Case c = MakeCase(3, 77, 11, shape);
    const auto run = [&](const PeakModel& model, bool pointwise) {
      return c.Run([&](double** alpha, double* beta, double& chisq) {
        (pointwise ? curvature_pointwise : curvature)(c.x.data(), c.y.data(), c.sig.data(), c.npt(),
                                                      c.a.data(), c.npar(), c.lista.data(), c.nfit,
                                                      alpha, beta, chisq, model);
      });
    };
    const Result own = run(doublet, false), want = run(doublet, true), lines = run(single, false);
    EXPECT_TRUE(SameBits(own.alpha, want.alpha)) << shape;
    EXPECT_TRUE(SameBits(own.beta, want.beta)) << shape;
    EXPECT_TRUE(SameBits({own.chisq}, {want.chisq})) << shape;
    EXPECT_NE(own.chisq, lines.chisq) << shape;
  }
}

// The case's peaks on a Chebyshev series of the order over a window a little
// narrower than the points (so that |t| passes 1 at the ends), every
// parameter fitted but the first; the split shape gets its right half.
Case OnSeries(int peaks, int points, int shape, int order) {
  Case c = MakeCase(peaks, points, 0, shape);
  c.a.resize(c.a.size() - 2);
  if (shape == kSplitPseudoVoigt) {
    std::vector<double> a{0.0};
    for (int k = 0; k < peaks; ++k) {
      for (int m = 0; m < 3; ++m) a.push_back(c.a[static_cast<std::size_t>(3 * k + 1 + m)]);
      a.insert(a.end(), {0.3 + 0.1 * k, 0.07 + 0.01 * k, 0.8 - 0.2 * k});
    }
    c.a = a;
  }
  for (int k = 0; k <= order; ++k) c.a.push_back(k % 2 == 0 ? 40.0 / (k + 1) : -3.0 * k);
  const int npar = c.npar();
  c.lista.assign(npar + 1, 0);
  for (int j = 1; j < npar; ++j) c.lista[j] = npar + 1 - j;
  c.nfit = npar - 1;
  return c;
}

// Every background order through every path: the block kernel's series
// takes the very operations of the point-by-point model.
TEST(PeakCurvature, EveryBackgroundOrderMatchesThePointByPointSumsBitForBit) {
  for (const int shape : {0, 1, 2, 3, 4, -1}) {
    for (const int order : {0, 2, 3, 6}) {
      for (const auto& [peaks, points] : {std::pair{3, 77}, std::pair{0, 40}, std::pair{5, 301}}) {
        const Case c = OnSeries(peaks, points, shape, order);
        const BackgroundBasis basis = BackgroundOver(order, 10.05, 10.0 + 0.013 * points - 0.05);
        const PeakModel model(shape, {}, basis);
        const Result want = c.Run([&](double** alpha, double* beta, double& chisq) {
          curvature_pointwise(c.x.data(), c.y.data(), c.sig.data(), c.npt(), c.a.data(), c.npar(),
                              c.lista.data(), c.nfit, alpha, beta, chisq, model);
        });
        for (const SimdPath path : {SimdPath::Portable, SimdPath::Avx2, SimdPath::Avx512}) {
          if (!SimdPathSupported(path)) continue;
          const Result got = c.Run([&](double** alpha, double* beta, double& chisq) {
            curvature_peaks(c.x.data(), c.y.data(), c.sig.data(), c.npt(), c.a.data(), c.npar(),
                            c.lista.data(), c.nfit, alpha, beta, chisq, shape, path, basis);
          });
          const auto where = ::testing::Message()
                             << "shape " << shape << " order " << order << " peaks " << peaks
                             << " path " << static_cast<int>(path);
          EXPECT_TRUE(SameBits(got.alpha, want.alpha)) << where;
          EXPECT_TRUE(SameBits(got.beta, want.beta)) << where;
          EXPECT_TRUE(SameBits({got.chisq}, {want.chisq})) << where;
        }
      }
    }
  }
}

}  // namespace
