// The split pseudo-Voigt: each half a pseudo-Voigt of its own half width and
// η. Checked against a direct formula written here, finite differences,
// numerical integration and fits of synthetic and measured peaks.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "commands/Commands.h"
#include "fit/Allocators.h"
#include "fit/Curvature.h"
#include "fit/Mrqmin.h"
#include "fit/PeakCurvature.h"
#include "fit/PeakModel.h"
#include "fit/PeakReport.h"
#include "tests/support/ScriptRun.h"
#include "tests/support/SharedData.h"

namespace {

// One split peak h, p, wl, etal, wr, etar on a line, as the formula reads.
double Direct(const std::vector<double>& q, double x) {
  const bool left = x < q[2];
  const double w = left ? q[3] : q[5];
  const double eta = left ? q[4] : q[6];
  const double u = (x - q[2]) / w;
  const double l = 1.0 / (1.0 + u * u);
  const double g = std::exp(-std::numbers::ln2 * u * u);
  return q[1] * (eta * l + (1.0 - eta) * g) + q[7] * x + q[8];
}

const std::vector<double> kTruth = {0, 1000.0, 30.0, 0.08, 0.3, 0.16, 0.7, -2.0, 150.0};

struct Profile {
  std::vector<double> x{0}, y{0}, sig{0};
  int npt() const { return static_cast<int>(x.size()) - 1; }
};

Profile Sample(const std::vector<double>& truth, bool poisson) {
  std::mt19937 random(2024);
  Profile p;
  for (int i = 0; i < 401; ++i) {
    const double x = 29.0 + 0.005 * i;
    const double mean = Direct(truth, x);
    p.x.push_back(x);
    p.y.push_back(poisson ? std::poisson_distribution<int>(mean)(random) : mean);
    p.sig.push_back(1.0);
  }
  return p;
}

// Minimiser steps until even heavy damping no longer lowers chi-square.
std::vector<double> Fit(const Profile& p, const PeakModel& model, std::vector<double> a,
                        double* chisqOut = nullptr) {
  const int npar = static_cast<int>(a.size()) - 1;
  std::vector<int> lista(npar + 1);
  for (int k = 1; k <= npar; ++k) lista[k] = k;
  double** covar = matrix(1, npar, 1, npar);
  double** alpha = matrix(1, npar, 1, npar);
  MrqminSequence sequence;
  double chisq = 0, lambda = -1;
  for (int call = 0; call < 400 && lambda < 1e8; ++call) {
    mrqmin(p.x.data(), p.y.data(), p.sig.data(), p.npt(), a.data(), npar, lista.data(), npar, covar,
           alpha, chisq, model, lambda, sequence);
  }
  release_matrix(alpha, 1, npar, 1, npar);
  release_matrix(covar, 1, npar, 1, npar);
  if (chisqOut != nullptr) *chisqOut = chisq;
  return a;
}

const std::vector<double> kStart = {0, 800.0, 30.02, 0.12, 0.5, 0.12, 0.5, 0.0, 140.0};

TEST(SplitPseudoVoigt, ValuesMatchTheFormulaAndDerivativesMatchFiniteDifferences) {
  const DoubletLines doublets[] = {{}, {true, 1.544426 / 1.540593, 0.5}};
  for (const DoubletLines& doublet : doublets) {
    const PeakModel model(kSplitPseudoVoigt, doublet);
    for (double x = 29.5; x <= 30.6; x += 0.0371) {
      std::vector<double> deriv(9);
      double value = 0;
      model.Evaluate(x, kTruth.data(), value, deriv.data(), 8);
      if (!doublet.on) {
        EXPECT_NEAR(value, Direct(kTruth, x), 1e-10) << x;
      }
      for (int m = 1; m <= 8; ++m) {
        std::vector<double> up = kTruth, down = kTruth;
        const double h = 1e-6 * std::fmax(1.0, std::fabs(kTruth[m]));
        up[m] += h;
        down[m] -= h;
        const double numeric =
            (model.ValueAt(x, up.data(), 8) - model.ValueAt(x, down.data(), 8)) / (2 * h);
        // The position's difference straddles the kink of the halves only
        // where x lies within h of the position.
        EXPECT_NEAR(deriv[m], numeric, 1e-5 * std::fmax(1.0, std::fabs(numeric)))
            << "x " << x << " a" << m << " doublet " << doublet.on;
      }
    }
  }
}

TEST(SplitPseudoVoigt, BlockSumsEqualThePointByPointSumsOnEveryPath) {
  Profile p = Sample(kTruth, false);
  for (int i = 1; i <= p.npt(); ++i) p.y[i] += std::sin(0.7 * i);
  // Two peaks, so that rows and tiles of the block sums are mixed.
  std::vector<double> a = {0,    900, 29.7, 0.05, 0.2, 0.09, 0.6, 700,
                           30.4, 0.1, 0.9,  0.06, 0.1, 1,    50};
  const int npar = 14;
  std::vector<int> lista(npar + 1);
  for (int k = 1; k <= npar; ++k) lista[k] = k;
  const PeakModel model(kSplitPseudoVoigt);
  double** expected = matrix(1, npar, 1, npar);
  double** got = matrix(1, npar, 1, npar);
  std::vector<double> beta1(npar + 1), beta2(npar + 1);
  double chisq1 = 0, chisq2 = 0;
  curvature_pointwise(p.x.data(), p.y.data(), p.sig.data(), p.npt(), a.data(), npar, lista.data(),
                      npar, expected, beta1.data(), chisq1, model);
  for (const SimdPath path : {SimdPath::Portable, SimdPath::Avx2, SimdPath::Avx512}) {
    if (!SimdPathSupported(path)) continue;
    curvature_peaks(p.x.data(), p.y.data(), p.sig.data(), p.npt(), a.data(), npar, lista.data(),
                    npar, got, beta2.data(), chisq2, kSplitPseudoVoigt, path);
    EXPECT_EQ(chisq1, chisq2);
    for (int j = 1; j <= npar; ++j) {
      EXPECT_EQ(beta1[j], beta2[j]) << j;
      for (int k = 1; k <= npar; ++k) EXPECT_EQ(expected[j][k], got[j][k]) << j << "," << k;
    }
  }
  release_matrix(got, 1, npar, 1, npar);
  release_matrix(expected, 1, npar, 1, npar);
}

TEST(SplitPseudoVoigt, FwhmAndAreaMatchTheCurveItself) {
  const PeakShape& shape = *FindPeakShape(kSplitPseudoVoigt);
  const double* q = kTruth.data() + 1;
  // Half maximum on each side at the half widths.
  const std::vector<double> bare = {0, 1000.0, 30.0, 0.08, 0.3, 0.16, 0.7, 0, 0};
  EXPECT_NEAR(Direct(bare, 30.0 - 0.08), 500.0, 1e-9);
  EXPECT_NEAR(Direct(bare, 30.0 + 0.16), 500.0, 1e-9);
  EXPECT_DOUBLE_EQ(shape.fwhm(q).value, 0.24);
  // The area by the midpoint rule far into the Lorentzian tails, plus the
  // Lorentzian tails beyond the window, h·η·w²/R on each side (the Gaussian
  // ones vanish there).
  double area = 0;
  const double step = 1e-4;
  const double reach = 400.0;
  for (double x = 30.0 - reach + step / 2; x < 30.0 + reach; x += step)
    area += Direct(bare, x) * step;
  const double beyond = 1000.0 * (0.3 * 0.08 * 0.08 / reach + 0.7 * 0.16 * 0.16 / reach);
  EXPECT_NEAR(shape.area(q).value, area + beyond, 1e-6 * area);
}

TEST(SplitPseudoVoigt, RecoversAnAsymmetricPeakItDidNotStartFrom) {
  const PeakModel model(kSplitPseudoVoigt);
  const Profile clean = Sample(kTruth, false);
  const std::vector<double> got = Fit(clean, model, kStart);
  for (int m = 1; m <= 8; ++m) {
    EXPECT_NEAR(got[m], kTruth[m], 1e-6 * std::fmax(1.0, std::fabs(kTruth[m]))) << "a" << m;
  }
  // With counting noise: within three standard uncertainties of the report.
  const Profile noisy = Sample(kTruth, true);
  const std::vector<double> a = Fit(noisy, model, kStart);
  const PeakReport r = MakePeakReport(noisy.x.data(), noisy.y.data(), noisy.npt(), a.data(), 8,
                                      model, ReportSettings{});
  ASSERT_TRUE(r.covariance.Known());
  for (int m = 1; m <= 8; ++m) {
    const double sigma = *r.covariance.StandardUncertainty(m);
    EXPECT_LT(std::fabs(a[m] - kTruth[m]), 3 * sigma) << "a" << m << " sigma " << sigma;
  }
  ASSERT_EQ(r.peaks.size(), 1u);
  EXPECT_NEAR(*r.peaks[0].asymmetry.value, a[5] / a[3], 1e-12);
  EXPECT_NEAR(*r.peaks[0].shapeParameterRight.value, a[6], 0);
}

TEST(SplitPseudoVoigt, OnASymmetricPeakItGivesThePseudoVoigtsChiSquare) {
  const std::vector<double> symmetric = {0, 1000.0, 30.0, 0.1, 0.4, 0.1, 0.4, 0.0, 150.0};
  Profile p = Sample(symmetric, false);
  // Scatter mirrored about the peak (point 201 of the grid is at 30), so that
  // the best split peak is symmetric too.
  for (int i = 1; i <= p.npt(); ++i) p.y[i] += 5.0 * std::sin(1.3 * std::abs(i - 201));
  double split = 0, plain = 0;
  Fit(p, PeakModel(kSplitPseudoVoigt), kStart, &split);
  Fit(p, PeakModel(kPseudoVoigt), {0, 800.0, 30.02, 0.12, 0.5, 0.0, 140.0}, &plain);
  EXPECT_NEAR(split, plain, 1e-6 * plain);
}

// The strongest NaBr reflection leans to the right (the unresolved Kα2 line
// and the axial divergence): the split shape fits it with a wider right half
// and a far lower χ² than the symmetric pseudo-Voigt.
TEST(SplitPseudoVoigt, FitsAnAsymmetricPeakOfAMeasuredProfile) {
  SKIP_WITHOUT_SHARED_DATA();
  const std::string open =
      "open rigaku \"" + SharedData("AE4895-Measurement_strategies__XRD_NaBr_Theta_2-Theta.asc") +
      "\"; range 28.8 30.4 0 4000; peak-mode; find-peaks 1; step-messages off; ";
  const ScriptOutcome symmetric =
      RunScript(open + "conditions pvoigt 0.00001; fit; fit; fit-stats");
  const ScriptOutcome split =
      RunScript(open + "conditions spvoigt 0.00001; fit; fit; fit; fit-stats; report");
  ASSERT_EQ(split.status, 0) << split.err;
  const auto chisq = [](const std::string& out) {
    const std::size_t at = out.find("\"chisq\": ");
    return std::stod(out.substr(at + 9));
  };
  EXPECT_NE(split.out.find("\"converged\": true"), std::string::npos) << split.out;
  EXPECT_LT(chisq(split.out), 0.3 * chisq(symmetric.out));
  const std::size_t row = split.out.find("\n1,spvoigt,");
  ASSERT_NE(row, std::string::npos) << split.out;
  // The last four cells: asymmetry and η of the right half with their errors.
  std::string line = split.out.substr(row + 1, split.out.find('\n', row + 1) - row - 1);
  std::vector<double> cells;
  for (std::size_t start = 0, comma; start <= line.size(); start = comma + 1) {
    comma = line.find(',', start);
    if (comma == std::string::npos) comma = line.size();
    const std::string cell = line.substr(start, comma - start);
    cells.push_back(cell.empty() || !(std::isdigit(cell[0]) || cell[0] == '-') ? NAN
                                                                               : std::stod(cell));
  }
  ASSERT_EQ(cells.size(), 20u) << line;
  EXPECT_GT(cells[16], 1.2);  // asymmetry
  EXPECT_LT(cells[17], 0.1);  // its uncertainty
}

}  // namespace
