// Fits of synthetic profiles of known parameters with the mixed shapes and
// the Kα doublet: recovered to 1e-8 without noise, within the reported
// uncertainties with it.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "fit/Allocators.h"
#include "fit/KAlphaDoublet.h"
#include "fit/Mrqmin.h"
#include "fit/ParameterCovariance.h"
#include "fit/PeakModel.h"

namespace {

struct Profile {
  std::vector<double> x{0}, y{0}, sig{0};
  int npt() const { return static_cast<int>(x.size()) - 1; }
};

// The model at truth at n points from `from` by `step`, plus normal noise of
// the given deviation (none for 0).
Profile Sample(const PeakModel& model, const std::vector<double>& truth, double from, double step,
               int n, double noise) {
  std::mt19937 random(12345);
  std::normal_distribution<double> normal(0.0, 1.0);
  Profile p;
  for (int i = 0; i < n; ++i) {
    const double x = from + step * i;
    const double v = model.ValueAt(x, truth.data(), static_cast<int>(truth.size()) - 1);
    p.x.push_back(x);
    p.y.push_back(v + noise * normal(random));
    p.sig.push_back(1.0);
  }
  return p;
}

// Minimiser steps from start until a step no longer lowers chi-square even
// with heavy damping.
std::vector<double> Fit(const PeakModel& model, const Profile& p, std::vector<double> a) {
  const int npar = static_cast<int>(a.size()) - 1;
  std::vector<int> lista(npar + 1);
  for (int k = 1; k <= npar; ++k) lista[k] = k;
  double** covar = matrix(1, npar, 1, npar);
  double** alpha = matrix(1, npar, 1, npar);
  double chisq = 0, lambda = -1;
  MrqminSequence sequence;
  for (int call = 0; call < 300 && lambda < 1e6; ++call) {
    mrqmin(p.x.data(), p.y.data(), p.sig.data(), p.npt(), a.data(), npar, lista.data(), npar, covar,
           alpha, chisq, model, lambda, sequence);
  }
  sequence.Release();
  release_matrix(alpha, 1, npar, 1, npar);
  release_matrix(covar, 1, npar, 1, npar);
  return a;
}

void ExpectRecovered(const std::vector<double>& got, const std::vector<double>& truth,
                     const char* what) {
  ASSERT_EQ(got.size(), truth.size());
  for (std::size_t m = 1; m < truth.size(); ++m) {
    EXPECT_NEAR(got[m], truth[m], 1e-8 * std::fmax(1.0, std::fabs(truth[m]))) << what << " a" << m;
  }
}

// Each parameter a little off, as a placed peak of the shape would start.
std::vector<double> Perturbed(std::vector<double> a, int shape) {
  const int per = PeakParameterCount(shape);
  for (std::size_t i = 1; i + 2 < a.size(); i += per) {
    a[i] *= 0.85;
    a[i + 1] += 0.02;
    a[i + 2] *= 1.3;
    if (per == 4) a[i + 3] = StartingShapeParameter(shape);
  }
  a[a.size() - 2] = 0.0;
  return a;
}

TEST(MixedShapeFit, NoiseFreeProfilesAreRecoveredIncludingACuDoublet) {
  const PeakModel voigtModel(kPseudoVoigt);
  const std::vector<double> voigt{0, 1200, 30.0, 0.08, 0.7, 500, 30.35, 0.12, 0.2, 1.5, 40};
  ExpectRecovered(
      Fit(voigtModel, Sample(voigtModel, voigt, 29, 0.01, 200, 0), Perturbed(voigt, kPseudoVoigt)),
      voigt, "pvoigt");

  const PeakModel pearsonModel(kPearson7);
  const std::vector<double> pearson{0, 900, 45.0, 0.1, 2.5, 300, 45.4, 0.07, 1.1, -0.5, 60};
  ExpectRecovered(Fit(pearsonModel, Sample(pearsonModel, pearson, 44, 0.01, 200, 0),
                      Perturbed(pearson, kPearson7)),
                  pearson, "pearson7");

  // Cu Kα1 and Kα2: at 2θ = 65° the lines lie 0.18° apart, about a width.
  const PeakModel doubletModel(kPseudoVoigt, DoubletLines{true, 1.544426 / 1.540593, 0.5});
  const std::vector<double> doublet{0, 800, 65.0, 0.06, 0.4, 0.0, 20};
  ExpectRecovered(Fit(doubletModel, Sample(doubletModel, doublet, 64.4, 0.01, 160, 0),
                      Perturbed(doublet, kPseudoVoigt)),
                  doublet, "doublet");
}

TEST(MixedShapeFit, WithNoiseEachParameterLiesWithinItsReportedUncertainty) {
  const PeakModel model(kPearson7);
  const std::vector<double> truth{0, 1000, 50.0, 0.09, 1.8, 0.4, 30};
  const Profile p = Sample(model, truth, 49.2, 0.01, 160, 8.0);
  const std::vector<double> a = Fit(model, p, Perturbed(truth, kPearson7));
  const ParameterCovariance c = EstimateCovariance(p.x.data(), p.y.data(), p.npt(), a.data(),
                                                   static_cast<int>(a.size()) - 1, model);
  ASSERT_TRUE(c.Known()) << c.Reason();
  for (std::size_t m = 1; m < truth.size(); ++m) {
    const double sigma = *c.StandardUncertainty(static_cast<int>(m));
    EXPECT_GT(sigma, 0.0);
    EXPECT_LT(std::fabs(a[m] - truth[m]), 3.0 * sigma) << "a" << m;
    // Not so loose that anything would pass (the line's slope and intercept,
    // far from x = 0, are only known together).
    if (m <= 4) {
      EXPECT_LT(sigma, 0.05 * std::fmax(1.0, std::fabs(truth[m]))) << "a" << m;
    }
  }
}

}  // namespace
