#include "fit/ShapeLines.h"

#include <cmath>
#include <numbers>

#include "fit/LaneMath.h"

namespace {

constexpr double kLn2 = std::numbers::ln2;

// η·L + (1 − η)·G with L = 1/(1 + u²) and G = exp(−ln 2·u²): the value and
// the derivatives of h times it by the position, the width and η.
struct HalfTerms {
  double s;
  double byPosition;
  double byWidth;
  double byEta;
};

HalfTerms PseudoVoigtTerms(double x, double h, double p, double w, double eta) {
  const double u = (x - p) / w;
  const double uu = u * u;
  const double l = 1.0 / (uu + 1.0);
  const double g = LaneExp(-(kLn2 * uu));
  const double f = ((2.0 * h) * u) * (eta * (l * l) + ((1.0 - eta) * kLn2) * g);
  return {eta * l + (1.0 - eta) * g, f / w, (f * u) / w, h * (l - g)};
}

}  // namespace

LineTerms GaussLine(double x, double h, double p, const double q[]) {
  const double w = q[kWidthParameter];
  const double u = (x - p) / w;
  LineTerms t;
  t.s = std::exp(-(u * u));
  const double f = ((t.s * h) * 2.0) * u;
  t.d[kPositionParameter] = f / w;
  t.d[kWidthParameter] = (f * u) / w;
  return t;
}

LineTerms LorentzLine(double x, double h, double p, const double q[]) {
  const double w = q[kWidthParameter];
  const double u = (x - p) / w;
  LineTerms t;
  t.s = 1.0 / (u * u + 1.0);
  const double f = (((2.0 * h) * t.s) * t.s) * u;
  t.d[kPositionParameter] = f / w;
  t.d[kWidthParameter] = ((x - p) * f) / (w * w);
  return t;
}

LineTerms PseudoVoigtLine(double x, double h, double p, const double q[]) {
  const HalfTerms half = PseudoVoigtTerms(x, h, p, q[kWidthParameter], q[kShapeParameter]);
  LineTerms t;
  t.s = half.s;
  t.d[kPositionParameter] = half.byPosition;
  t.d[kWidthParameter] = half.byWidth;
  t.d[kShapeParameter] = half.byEta;
  return t;
}

// (1 + c·u²)^−m with c = 2^(1/m) − 1, so that u = ±1 is the half maximum.
LineTerms PearsonLine(double x, double h, double p, const double q[]) {
  const double w = q[kWidthParameter];
  const double m = q[kShapeParameter];
  const double r = std::pow(2.0, 1.0 / m);
  const double c = r - 1.0;
  const double dc = -(r * kLn2) / (m * m);  // dc/dm
  const double u = (x - p) / w;
  const double uu = u * u;
  const double t1 = c * uu + 1.0;
  LineTerms t;
  double logT1 = 0.0;
  LanePowAndLog(t1, -m, t.s, logT1);
  const double f = ((((2.0 * h) * m) * c) * u) * (t.s / t1);
  t.d[kPositionParameter] = f / w;
  t.d[kWidthParameter] = (f * u) / w;
  t.d[kShapeParameter] = -(h * t.s) * (logT1 + ((m * uu) * dc) / t1);
  return t;
}

// Each half is a pseudo-Voigt of its own half width at half maximum and η;
// the other half's parameters have no effect there.
LineTerms SplitPseudoVoigtLine(double x, double h, double p, const double q[]) {
  const bool left = x < p;
  const int width = left ? kWidthParameter : kRightWidthParameter;
  const int eta = left ? kShapeParameter : kRightShapeParameter;
  const HalfTerms half = PseudoVoigtTerms(x, h, p, q[width], q[eta]);
  LineTerms t;
  t.s = half.s;
  t.d[kPositionParameter] = half.byPosition;
  t.d[width] = half.byWidth;
  t.d[eta] = half.byEta;
  return t;
}
