#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "fit/KAlphaDoublet.h"
#include "fit/PeakModel.h"

namespace {

using PeakModelTest = ::testing::Test;

TEST_F(PeakModelTest, LorentzianExampleAndPeakvalueAgree) {
  g_function = 1;
  const double a[] = {0, 10, 5, 2, 0.5, 1};
  double value = 0, deriv[6] = {};
  peakmodel(7.0, a, value, deriv, 5);
  EXPECT_EQ(value, 9.5);
  EXPECT_EQ(deriv[1], 0.5);
  EXPECT_EQ(deriv[2], 2.5);
  EXPECT_EQ(deriv[3], 2.5);
  EXPECT_EQ(deriv[4], 7.0);
  EXPECT_EQ(deriv[5], 1.0);
  double plain = 0;
  peakvalue(7.0, a, plain, 5);
  EXPECT_EQ(plain, value);
}

TEST_F(PeakModelTest, ShapesAtCentreFarAwayAndWithNegativeWidth) {
  for (int shape : {0, 1}) {
    g_function = shape;
    const double a[] = {0, 10, 5, 2, 0, 0};
    double value = 0, deriv[6] = {};
    peakmodel(5.0, a, value, deriv, 5);
    EXPECT_EQ(value, 10.0) << shape;  // exactly the height at the centre
    EXPECT_EQ(deriv[2], 0.0) << shape;
    EXPECT_EQ(deriv[3], 0.0) << shape;

    const double negative[] = {0, 10, 5, -2, 0, 0};
    double v1 = 0, v2 = 0, d1[6] = {}, d2[6] = {};
    peakmodel(6.3, a, v1, d1, 5);
    peakmodel(6.3, negative, v2, d2, 5);
    EXPECT_EQ(v1, v2) << shape;
    EXPECT_EQ(d1[3], -d2[3]) << shape;
  }
  g_function = 0;
  const double a[] = {0, 10, 5, 0.01, 0, 0};
  double value = 1, deriv[6] = {};
  peakmodel(50.0, a, value, deriv, 5);
  EXPECT_EQ(value, 0.0);  // exp underflows: the peak adds nothing
  EXPECT_EQ(deriv[1], 0.0);
  EXPECT_EQ(deriv[2], 0.0);
  EXPECT_EQ(deriv[3], 0.0);
  g_function = 1;  // a Lorentzian never vanishes: h/10001 at u = 100
  const double wide[] = {0, 10001, 5, 2, 0, 0};
  peakvalue(205.0, wide, value, 5);
  EXPECT_DOUBLE_EQ(value, 1.0);
}

TEST_F(PeakModelTest, BackgroundOnlyAndUnknownSelector) {
  const double line[] = {0, 0.5, 1};
  double value = 0, deriv[3] = {};
  peakmodel(4.0, line, value, deriv, 2);
  EXPECT_EQ(value, 3.0);
  EXPECT_EQ(deriv[1], 4.0);
  EXPECT_EQ(deriv[2], 1.0);

  g_function = -1;
  const double a[] = {0, 10, 5, 2, 0.5, 1};
  double d[6] = {0, 9, 9, 9, 9, 9};
  peakmodel(7.0, a, value, d, 5);
  EXPECT_EQ(value, 0.0);
  for (int m = 1; m <= 5; ++m) EXPECT_EQ(d[m], 0.0) << m;
  peakvalue(7.0, a, value, 5);
  EXPECT_EQ(value, 0.0);
}

// Two overlapping peaks on a sloped line: every derivative against a
// central difference, for the mixed shapes and for every shape as a Cu Kα
// doublet; peakvalue gives peakmodel's value bit for bit throughout.
TEST_F(PeakModelTest, MixedShapesAndDoubletsHaveTheirAnalyticDerivatives) {
  struct Model {
    int shape;
    bool doublet;
  };
  const Model models[] = {{kPseudoVoigt, false}, {kPearson7, false},   {kGaussian, true},
                          {kLorentzian, true},   {kPseudoVoigt, true}, {kPearson7, true}};
  for (const Model& model : models) {
    g_function = model.shape;
    g_doublet = DoubletLines{model.doublet, 1.54443 / 1.54056, 0.5};
    std::vector<double> a{0};
    for (const double p : {40.0, 40.17}) {
      a.insert(a.end(), {900.0, p, 0.07});
      if (HasShapeParameter(model.shape)) a.push_back(model.shape == kPseudoVoigt ? 0.37 : 1.8);
    }
    a.insert(a.end(), {-2.0, 150.0});
    const int npar = static_cast<int>(a.size()) - 1;
    for (const double x : {39.8, 40.0, 40.05, 40.13, 40.31}) {
      double value = 0, plain = 0;
      std::vector<double> deriv(a.size());
      peakmodel(x, a.data(), value, deriv.data(), npar);
      peakvalue(x, a.data(), plain, npar);
      EXPECT_EQ(plain, value);
      for (int m = 1; m <= npar; ++m) {
        const double step = 1e-6 * std::fmax(1.0, std::fabs(a[m]));
        std::vector<double> up = a, down = a;
        up[m] += step;
        down[m] -= step;
        double vu = 0, vd = 0;
        peakvalue(x, up.data(), vu, npar);
        peakvalue(x, down.data(), vd, npar);
        const double difference = (vu - vd) / (2 * step);
        EXPECT_NEAR(deriv[m], difference, 1e-5 * (1.0 + std::fabs(difference)))
            << "shape " << model.shape << " doublet " << model.doublet << " x " << x << " a" << m;
      }
    }
  }
}

// η = 1 is the Lorentzian of half width w; η = 0 the Gaussian of the same
// FWHM, exp(−u²) with width w/√(ln 2).
TEST_F(PeakModelTest, PseudoVoigtEndsAreTheLorentzianAndTheGaussianOfTheSameFwhm) {
  const double w = 0.3;
  for (const double x : {9.0, 9.71, 10.0, 10.2, 11.5}) {
    double voigt = 0, other = 0;
    g_function = kPseudoVoigt;
    const double lorentzian[] = {0, 50, 10, w, 1.0, 0, 0};
    peakvalue(x, lorentzian, voigt, 6);
    g_function = kLorentzian;
    const double pure[] = {0, 50, 10, w, 0, 0};
    peakvalue(x, pure, other, 5);
    EXPECT_NEAR(voigt, other, 1e-13) << x;

    g_function = kPseudoVoigt;
    const double gaussian[] = {0, 50, 10, w, 0.0, 0, 0};
    peakvalue(x, gaussian, voigt, 6);
    g_function = kGaussian;
    const double same[] = {0, 50, 10, w / std::sqrt(std::numbers::ln2), 0, 0};
    peakvalue(x, same, other, 5);
    EXPECT_NEAR(voigt, other, 1e-13) << x;
  }
}

}  // namespace
