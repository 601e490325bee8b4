#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "fit/KAlphaDoublet.h"
#include "fit/PeakModel.h"

namespace {

using PeakModelTest = ::testing::Test;

TEST_F(PeakModelTest, LorentzianExampleAndValueAgree) {
  const PeakModel model(kLorentzian);
  const double a[] = {0, 10, 5, 2, 0.5, 1};
  double value = 0, deriv[6] = {};
  model.Evaluate(7.0, a, value, deriv, 5);
  EXPECT_EQ(value, 9.5);
  EXPECT_EQ(deriv[1], 0.5);
  EXPECT_EQ(deriv[2], 2.5);
  EXPECT_EQ(deriv[3], 2.5);
  EXPECT_EQ(deriv[4], 7.0);
  EXPECT_EQ(deriv[5], 1.0);
  double plain = 0;
  model.Value(7.0, a, plain, 5);
  EXPECT_EQ(plain, value);
  EXPECT_EQ(model.ValueAt(7.0, a, 5), value);
}

TEST_F(PeakModelTest, ShapesAtCentreFarAwayAndWithNegativeWidth) {
  for (int shape : {kGaussian, kLorentzian}) {
    const PeakModel model(shape);
    const double a[] = {0, 10, 5, 2, 0, 0};
    double value = 0, deriv[6] = {};
    model.Evaluate(5.0, a, value, deriv, 5);
    EXPECT_EQ(value, 10.0) << shape;  // exactly the height at the centre
    EXPECT_EQ(deriv[2], 0.0) << shape;
    EXPECT_EQ(deriv[3], 0.0) << shape;

    const double negative[] = {0, 10, 5, -2, 0, 0};
    double v1 = 0, v2 = 0, d1[6] = {}, d2[6] = {};
    model.Evaluate(6.3, a, v1, d1, 5);
    model.Evaluate(6.3, negative, v2, d2, 5);
    EXPECT_EQ(v1, v2) << shape;
    EXPECT_EQ(d1[3], -d2[3]) << shape;
  }
  const double a[] = {0, 10, 5, 0.01, 0, 0};
  double value = 1, deriv[6] = {};
  PeakModel(kGaussian).Evaluate(50.0, a, value, deriv, 5);
  EXPECT_EQ(value, 0.0);  // exp underflows: the peak adds nothing
  EXPECT_EQ(deriv[1], 0.0);
  EXPECT_EQ(deriv[2], 0.0);
  EXPECT_EQ(deriv[3], 0.0);
  // A Lorentzian never vanishes: h/10001 at u = 100.
  const double wide[] = {0, 10001, 5, 2, 0, 0};
  PeakModel(kLorentzian).Value(205.0, wide, value, 5);
  EXPECT_DOUBLE_EQ(value, 1.0);
}

TEST_F(PeakModelTest, BackgroundOnlyAndUnknownSelector) {
  const double line[] = {0, 0.5, 1};
  double value = 0, deriv[3] = {};
  PeakModel(kLorentzian).Evaluate(4.0, line, value, deriv, 2);
  EXPECT_EQ(value, 3.0);
  EXPECT_EQ(deriv[1], 4.0);
  EXPECT_EQ(deriv[2], 1.0);

  const PeakModel none(kNoShape);
  const double a[] = {0, 10, 5, 2, 0.5, 1};
  double d[6] = {0, 9, 9, 9, 9, 9};
  none.Evaluate(7.0, a, value, d, 5);
  EXPECT_EQ(value, 0.0);
  for (int m = 1; m <= 5; ++m) EXPECT_EQ(d[m], 0.0) << m;
  none.Value(7.0, a, value, 5);
  EXPECT_EQ(value, 0.0);
}

// Two overlapping peaks on a sloped line: every derivative against a
// central difference, for the mixed shapes and for every shape as a Cu Kα
// doublet; Value gives Evaluate's value bit for bit throughout.
TEST_F(PeakModelTest, MixedShapesAndDoubletsHaveTheirAnalyticDerivatives) {
  struct Case {
    int shape;
    bool doublet;
  };
  const Case cases[] = {{kPseudoVoigt, false}, {kPearson7, false},   {kGaussian, true},
                        {kLorentzian, true},   {kPseudoVoigt, true}, {kPearson7, true}};
  for (const Case& c : cases) {
    const PeakModel model(c.shape, DoubletLines{c.doublet, 1.54443 / 1.54056, 0.5});
    std::vector<double> a{0};
    for (const double p : {40.0, 40.17}) {
      a.insert(a.end(), {900.0, p, 0.07});
      if (HasShapeParameter(c.shape)) a.push_back(c.shape == kPseudoVoigt ? 0.37 : 1.8);
    }
    a.insert(a.end(), {-2.0, 150.0});
    const int npar = static_cast<int>(a.size()) - 1;
    for (const double x : {39.8, 40.0, 40.05, 40.13, 40.31}) {
      double value = 0, plain = 0;
      std::vector<double> deriv(a.size());
      model.Evaluate(x, a.data(), value, deriv.data(), npar);
      model.Value(x, a.data(), plain, npar);
      EXPECT_EQ(plain, value);
      for (int m = 1; m <= npar; ++m) {
        const double step = 1e-6 * std::fmax(1.0, std::fabs(a[m]));
        std::vector<double> up = a, down = a;
        up[m] += step;
        down[m] -= step;
        double vu = 0, vd = 0;
        model.Value(x, up.data(), vu, npar);
        model.Value(x, down.data(), vd, npar);
        const double difference = (vu - vd) / (2 * step);
        EXPECT_NEAR(deriv[m], difference, 1e-5 * (1.0 + std::fabs(difference)))
            << "shape " << c.shape << " doublet " << c.doublet << " x " << x << " a" << m;
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
    const double lorentzian[] = {0, 50, 10, w, 1.0, 0, 0};
    PeakModel(kPseudoVoigt).Value(x, lorentzian, voigt, 6);
    const double pure[] = {0, 50, 10, w, 0, 0};
    PeakModel(kLorentzian).Value(x, pure, other, 5);
    EXPECT_NEAR(voigt, other, 1e-13) << x;

    const double gaussian[] = {0, 50, 10, w, 0.0, 0, 0};
    PeakModel(kPseudoVoigt).Value(x, gaussian, voigt, 6);
    const double same[] = {0, 50, 10, w / std::sqrt(std::numbers::ln2), 0, 0};
    PeakModel(kGaussian).Value(x, same, other, 5);
    EXPECT_NEAR(voigt, other, 1e-13) << x;
  }
}

}  // namespace
