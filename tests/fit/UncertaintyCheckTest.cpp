// The reported uncertainties against an independent computation on a
// measured peak, and against the scatter of fits to noisy replicates.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "fit/Allocators.h"
#include "fit/Mrqmin.h"
#include "fit/PeakModel.h"
#include "fit/PeakReport.h"
#include "profile/ProfileReaders.h"
#include "profile/TextSource.h"
#include "tests/support/SharedData.h"

namespace {

using Points = std::vector<double>;  // 1-based, slot 0 unused

// Fits the model to (x, y) from a with the program's minimiser: the
// starting call and 20 step calls. Returns its chi-square.
double Fit(const PeakModel& model, const Points& x, const Points& y, std::vector<double>& a) {
  const int npt = static_cast<int>(x.size()) - 1, npar = static_cast<int>(a.size()) - 1;
  const Points sig(x.size(), 1.0);
  std::vector<int> lista(npar + 1);
  for (int k = 1; k <= npar; ++k) lista[k] = k;
  double** covar = matrix(1, npar, 1, npar);
  double** alpha = matrix(1, npar, 1, npar);
  double chisq = 0, lambda = -1;
  MrqminSequence sequence;
  for (int call = 0; call <= 20; ++call) {
    mrqmin(x.data(), y.data(), sig.data(), npt, a.data(), npar, lista.data(), npar, covar, alpha,
           chisq, model, lambda, sequence);
  }
  sequence.Release();
  release_matrix(alpha, 1, npar, 1, npar);
  release_matrix(covar, 1, npar, 1, npar);
  return chisq;
}

// The Gaussian peak on a line, written out here rather than taken from the
// program: p = (h, position, w, slope, intercept).
double Gauss(double x, const std::vector<double>& p) {
  const double u = (x - p[2]) / p[3];
  return p[1] * std::exp(-u * u) + p[4] * x + p[5];
}

using Matrix = std::vector<std::vector<double>>;

// The inverse of a symmetric positive definite matrix, by Gauss-Jordan
// elimination on [m | I] (no pivoting needed).
Matrix Inverse(Matrix m) {
  const std::size_t n = m.size();
  for (std::size_t i = 0; i < n; ++i) m[i].resize(2 * n), m[i][n + i] = 1.0;
  for (std::size_t p = 0; p < n; ++p) {
    const double pivot = m[p][p];
    for (double& v : m[p]) v /= pivot;
    for (std::size_t r = 0; r < n; ++r) {
      const double f = r == p ? 0.0 : m[r][p];
      for (std::size_t c = 0; c < 2 * n; ++c) m[r][c] -= f * m[p][c];
    }
  }
  for (auto& row : m) row.erase(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(n));
  return m;
}

// ∂q/∂a[k], k = 1..p, by central differences (0-based).
template <class Quantity>
std::vector<double> NumericGradient(const std::vector<double>& a, Quantity q) {
  std::vector<double> g(a.size() - 1);
  for (std::size_t k = 1; k < a.size(); ++k) {
    const double step = 1e-6 * (std::fabs(a[k]) + 1e-3);
    std::vector<double> up = a, down = a;
    up[k] += step, down[k] -= step;
    g[k - 1] = (q(up) - q(down)) / (2 * step);
  }
  return g;
}

double Quadratic(const std::vector<double>& g, const Matrix& c) {
  double v = 0;
  for (std::size_t j = 0; j < g.size(); ++j)
    for (std::size_t k = 0; k < g.size(); ++k) v += g[j] * c[j][k] * g[k];
  return v;
}

// C = (JᵀJ)⁻¹ χ²/(n − p) with J by central differences (0-based).
Matrix IndependentCovariance(const Points& x, const Points& y, const std::vector<double>& a) {
  const std::size_t n = x.size() - 1, p = a.size() - 1;
  Matrix jtj(p, std::vector<double>(p, 0.0));
  double chisq = 0;
  for (std::size_t i = 1; i <= n; ++i) {
    const auto d = NumericGradient(a, [&](const std::vector<double>& q) { return Gauss(x[i], q); });
    for (std::size_t j = 0; j < p; ++j)
      for (std::size_t k = 0; k < p; ++k) jtj[j][k] += d[j] * d[k];
    chisq += (y[i] - Gauss(x[i], a)) * (y[i] - Gauss(x[i], a));
  }
  Matrix c = Inverse(jtj);
  for (auto& row : c)
    for (double& v : row) v *= chisq / static_cast<double>(n - p);
  return c;
}

TEST(UncertaintyCheck, NaClPeakAgreesWithAnIndependentComputation) {
  SKIP_WITHOUT_SHARED_DATA();
  std::string text, error;
  ASSERT_TRUE(LoadProfileText(
      SharedData("AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc"), text, error));
  const RigakuProfile file = ReadRigakuProfile(text);
  Points x{0.0}, y{0.0};
  for (std::size_t i = 0; i < file.values.size(); ++i) {
    const double xi = *file.start + *file.step * static_cast<double>(i);
    if (xi > 31.2 && xi < 32.2) x.push_back(xi), y.push_back(file.values[i]);
  }
  const PeakModel model(kGaussian);
  std::vector<double> a{0, 2700, 31.69, 0.12, 0, 50};
  const double chisq = Fit(model, x, y, a);
  ASSERT_NEAR(a[2], 31.69, 0.02);

  ReportSettings settings;
  settings.wavelength = RigakuWavelengths(file).lambda1;
  settings.instrumentalFwhm = 0.05;
  const PeakReport r = MakePeakReport(x.data(), y.data(), static_cast<int>(x.size()) - 1, a.data(),
                                      5, model, settings);
  // Nothing is unknown; the notes say what the σ stand for, and that these
  // counts would be weighed honestly by counting statistics.
  ASSERT_EQ(r.notes.size(), 2u) << r.notes[0];
  EXPECT_NE(r.notes[0].find("単位重み"), std::string::npos) << r.notes[0];
  EXPECT_NE(r.notes[1].find("weights counts"), std::string::npos) << r.notes[1];
  EXPECT_EQ(r.statistics.chisq, chisq);  // the very sum the minimiser makes
  const Matrix c = IndependentCovariance(x, y, a);
  for (int j = 1; j <= 5; ++j) {
    for (int k = 1; k <= 5; ++k) {
      const double scale = std::sqrt(c[j - 1][j - 1] * c[k - 1][k - 1]);
      EXPECT_NEAR(r.covariance(j, k), c[j - 1][k - 1], 1e-6 * scale) << j << "," << k;
    }
  }
  const auto fwhm = [](const std::vector<double>& p) {
    return 2 * std::sqrt(std::log(2.0)) * p[3];
  };
  const auto area = [](const std::vector<double>& p) {
    return std::sqrt(std::numbers::pi) * p[1] * p[3];
  };
  const auto propagated = [&](auto q) { return std::sqrt(Quadratic(NumericGradient(a, q), c)); };
  const PeakResult& peak = r.peaks[0];
  EXPECT_NEAR(*peak.fwhm.error / propagated(fwhm), 1.0, 1e-5);
  EXPECT_NEAR(*peak.area.error / propagated(area), 1.0, 1e-5);
  EXPECT_NEAR(*peak.dSpacing.value, 2.8201, 0.005);  // NaCl (200), a = 5.6402 Å
  EXPECT_TRUE(peak.sizeNm.error);
}

// Normal deviates from a fixed generator by Box and Muller, the same on every
// platform.
class Noise {
 public:
  double Next() {
    const double u1 = Uniform(), u2 = Uniform();
    return std::sqrt(-2 * std::log(u1)) * std::cos(2 * std::numbers::pi * u2);
  }

 private:
  double Uniform() { return (static_cast<double>(m_bits() >> 11) + 0.5) * 0x1p-53; }
  std::mt19937_64 m_bits{20240611};
};

struct Spread {
  double mean = 0, sumSquares = 0, reported = 0;
  int n = 0;
  void Add(double value, double error) {
    ++n;
    const double delta = value - mean;
    mean += delta / n;
    sumSquares += delta * (value - mean);
    reported += error * error;
  }
  // Scatter of the fitted values over the root-mean-square reported error.
  double Ratio() const { return std::sqrt(sumSquares / (n - 1)) / std::sqrt(reported / n); }
};

TEST(UncertaintyCheck, ReportedErrorsMatchTheScatterOfNoisyReplicates) {
  constexpr int kReplicates = 300;
  constexpr double kSigma = 8.0;
  for (const int shape : {kGaussian, kLorentzian}) {
    const PeakModel model(shape);
    const std::vector<double> truth{0, 500, 40.0, 0.08, 0.5, 20.0};
    Points x{0.0}, clean{0.0};
    for (int i = 0; i <= 100; ++i) {
      x.push_back(39.5 + 0.01 * i);
      clean.push_back(model.ValueAt(x.back(), truth.data(), 5));
    }
    Noise noise;
    Spread position, fwhm, area;
    for (int r = 0; r < kReplicates; ++r) {
      Points y = clean;
      for (std::size_t i = 1; i < y.size(); ++i) y[i] += kSigma * noise.Next();
      std::vector<double> a = truth;
      Fit(model, x, y, a);
      const PeakReport report = MakePeakReport(x.data(), y.data(), 101, a.data(), 5, model, {});
      const PeakResult& p = report.peaks[0];
      position.Add(*p.position.value, *p.position.error);
      fwhm.Add(*p.fwhm.value, *p.fwhm.error);
      area.Add(*p.area.value, *p.area.error);
    }
    EXPECT_NEAR(position.Ratio(), 1.0, 0.15) << shape;
    EXPECT_NEAR(fwhm.Ratio(), 1.0, 0.15) << shape;
    EXPECT_NEAR(area.Ratio(), 1.0, 0.15) << shape;
  }
}

}  // namespace
