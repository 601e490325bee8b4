#include "fit/PeakModel.h"

#include <cmath>
#include <numbers>

#include "fit/KAlphaDoublet.h"

constinit thread_local int g_function = kLorentzian;

namespace {

constexpr double kLn2 = std::numbers::ln2;

// One line of a peak of height h: its shape value s and the derivatives of
// h·s by the line's position, width and shape parameter. The operations and
// their order are those of the block kernels (PeakCurvatureKernel.inc), so
// both give the same bits.
struct LineTerms {
  double s = 0.0;
  double byPosition = 0.0;
  double byWidth = 0.0;
  double byShape = 0.0;
};

LineTerms GaussLine(double x, double h, double p, double w) {
  const double u = (x - p) / w;
  LineTerms t;
  t.s = std::exp(-(u * u));
  const double f = ((t.s * h) * 2.0) * u;
  t.byPosition = f / w;
  t.byWidth = (f * u) / w;
  return t;
}

LineTerms LorentzLine(double x, double h, double p, double w) {
  const double u = (x - p) / w;
  LineTerms t;
  t.s = 1.0 / (u * u + 1.0);
  const double f = (((2.0 * h) * t.s) * t.s) * u;
  t.byPosition = f / w;
  t.byWidth = ((x - p) * f) / (w * w);
  return t;
}

// η·L + (1 − η)·G with L = 1/(1 + u²) and G = exp(−ln 2·u²).
LineTerms PseudoVoigtLine(double x, double h, double p, double w, double eta) {
  const double u = (x - p) / w;
  const double uu = u * u;
  const double l = 1.0 / (uu + 1.0);
  const double g = std::exp(-(kLn2 * uu));
  LineTerms t;
  t.s = eta * l + (1.0 - eta) * g;
  const double f = ((2.0 * h) * u) * (eta * (l * l) + ((1.0 - eta) * kLn2) * g);
  t.byPosition = f / w;
  t.byWidth = (f * u) / w;
  t.byShape = h * (l - g);
  return t;
}

// (1 + c·u²)^−m with c = 2^(1/m) − 1, so that u = ±1 is the half maximum.
LineTerms PearsonLine(double x, double h, double p, double w, double m) {
  const double r = std::pow(2.0, 1.0 / m);
  const double c = r - 1.0;
  const double dc = -(r * kLn2) / (m * m);  // dc/dm
  const double u = (x - p) / w;
  const double uu = u * u;
  const double t1 = c * uu + 1.0;
  LineTerms t;
  t.s = std::pow(t1, -m);
  const double f = ((((2.0 * h) * m) * c) * u) * (t.s / t1);
  t.byPosition = f / w;
  t.byWidth = (f * u) / w;
  t.byShape = -(h * t.s) * (std::log(t1) + ((m * uu) * dc) / t1);
  return t;
}

LineTerms Line(int shape, double x, double h, double p, double w, double q) {
  switch (shape) {
    case kGaussian:
      return GaussLine(x, h, p, w);
    case kLorentzian:
      return LorentzLine(x, h, p, w);
    case kPseudoVoigt:
      return PseudoVoigtLine(x, h, p, w, q);
    default:
      return PearsonLine(x, h, p, w, q);
  }
}

// The peaks of any shape, each a single line or a doublet: adds their values
// to value and, when deriv is given, writes their derivatives.
void AddPeaks(double x, const double a[], int npar, double& value, double deriv[]) {
  const int shape = g_function;
  const int per = PeakParameterCount(shape);
  for (int i = 1; i <= npar - per; i += per) {
    const double h = a[i], p = a[i + 1], w = a[i + 2];
    const double q = per == 4 ? a[i + 3] : 0.0;
    const LineTerms one = Line(shape, x, h, p, w, q);
    value = one.s * h + value;
    double s = one.s, dp = one.byPosition, dw = one.byWidth, dq = one.byShape;
    if (g_doublet.on) {
      // The Kα2 line follows the position through the asin of Bragg's law.
      const Kalpha2Line k2 = Kalpha2Position(p, g_doublet.wavelengthRatio);
      const double h2 = h * g_doublet.heightRatio;
      const LineTerms two = Line(shape, x, h2, k2.position, w, q);
      value = two.s * h2 + value;
      s = two.s * g_doublet.heightRatio + s;
      dp = two.byPosition * k2.byPosition + dp;
      dw = two.byWidth + dw;
      dq = two.byShape + dq;
    }
    if (deriv == nullptr) continue;
    deriv[i] = s;
    deriv[i + 1] = dp;
    deriv[i + 2] = dw;
    if (per == 4) deriv[i + 3] = dq;
  }
}

// Whether the model is one of the two single-line shapes, evaluated by the
// original loops below.
bool IsSingleLineGaussOrLorentz() {
  return (g_function == kGaussian || g_function == kLorentzian) && !g_doublet.on;
}

}  // namespace

void peakmodel(double x, const double a[], double& value, double deriv[], int npar) {
  value = 0.0;
  if (!IsPeakShape(g_function)) {
    // Keep every derivative defined: the minimiser reads them all.
    for (int m = 1; m <= npar; ++m) deriv[m] = 0.0;
    return;
  }
  if (!IsSingleLineGaussOrLorentz()) {
    AddPeaks(x, a, npar, value, deriv);
    value = (value + a[npar]) + x * a[npar - 1];
    deriv[npar] = 1.0;
    deriv[npar - 1] = x;
    return;
  }
  const bool gauss = g_function == kGaussian;
  for (int i = 1; i <= npar - 3; i += 3) {
    const double u = (x - a[i + 1]) / a[i + 2];
    const double s = gauss ? std::exp(-(u * u)) : 1.0 / (u * u + 1.0);
    value = s * a[i] + value;
    deriv[i] = s;
    if (gauss) {
      const double f = ((s * a[i]) * 2.0) * u;
      deriv[i + 1] = f / a[i + 2];
      deriv[i + 2] = (f * u) / a[i + 2];
    } else {
      const double f = (((2.0 * a[i]) * s) * s) * u;
      deriv[i + 1] = f / a[i + 2];
      deriv[i + 2] = ((x - a[i + 1]) * f) / (a[i + 2] * a[i + 2]);
    }
  }
  value = (value + a[npar]) + x * a[npar - 1];
  deriv[npar] = 1.0;
  deriv[npar - 1] = x;
}

void peakvalue(double x, const double a[], double& value, int npar) {
  value = 0.0;
  if (!IsPeakShape(g_function)) return;
  if (!IsSingleLineGaussOrLorentz()) {
    AddPeaks(x, a, npar, value, nullptr);
    value = (value + a[npar]) + x * a[npar - 1];
    return;
  }
  const bool gauss = g_function == kGaussian;
  for (int i = 1; i <= npar - 3; i += 3) {
    const double u = (x - a[i + 1]) / a[i + 2];
    const double s = gauss ? std::exp(-(u * u)) : 1.0 / (u * u + 1.0);
    value = s * a[i] + value;
  }
  value = (value + a[npar]) + x * a[npar - 1];
}
