#include "fit/PeakModel.h"

#include <array>
#include <cmath>

#include "fit/PeakCurvature.h"

void PeakModel::AddPeaks(double x, const double a[], int npar, double& value,
                         double deriv[]) const {
  const PeakShape& shape = *FindPeakShape(m_shape);
  const int per = shape.parametersPerPeak;
  for (int i = 1; i <= PeakParameterEnd(npar) - per + 1; i += per) {
    const double* q = a + i;
    const double h = q[kHeightParameter], p = q[kPositionParameter];
    const LineTerms one = shape.line(x, h, p, q);
    value = one.s * h + value;
    double s = one.s;
    std::array<double, kMaxPeakParameters> d = one.d;
    if (m_doublet.on) {
      // The Kα2 line follows the position through the asin of Bragg's law.
      const Kalpha2Line k2 = Kalpha2Position(p, m_doublet.wavelengthRatio);
      const double h2 = h * m_doublet.heightRatio;
      const LineTerms two = shape.line(x, h2, k2.position, q);
      value = two.s * h2 + value;
      s = two.s * m_doublet.heightRatio + s;
      d[kPositionParameter] = two.d[kPositionParameter] * k2.byPosition + d[kPositionParameter];
      for (int m = kWidthParameter; m < per; ++m) d[m] = two.d[m] + d[m];
    }
    if (deriv == nullptr) continue;
    deriv[i] = s;
    for (int m = kPositionParameter; m < per; ++m) deriv[i + m] = d[m];
  }
}

void PeakModel::AddBackground(double x, const double a[], int npar, double& value,
                              double deriv[]) const {
  if (m_background.IsLine()) {
    value = (value + a[npar]) + x * a[npar - 1];
    if (deriv == nullptr) return;
    deriv[npar] = 1.0;
    deriv[npar - 1] = x;
    return;
  }
  const int first = PeakParameterEnd(npar) + 1;
  std::array<double, kMaxBackgroundOrder + 1> T{};
  value = value + ChebyshevTerms(m_background, x, a + first, T.data());
  if (deriv == nullptr) return;
  for (int k = 0; k <= m_background.order; ++k) deriv[first + k] = T[static_cast<std::size_t>(k)];
}

double PeakModel::BackgroundAt(double x, const double a[], int npar) const {
  return BackgroundValue(m_background, a + PeakParameterEnd(npar) + 1, x);
}

// Whether the model is one of the two single-line shapes, evaluated by the
// original loops below.
bool PeakModel::IsSingleLineGaussOrLorentz() const {
  return (m_shape == kGaussian || m_shape == kLorentzian) && !m_doublet.on;
}

void PeakModel::Evaluate(double x, const double a[], double& value, double deriv[],
                         int npar) const {
  value = 0.0;
  if (!IsPeakShape(m_shape)) {
    // Keep every derivative defined: the minimiser reads them all.
    for (int m = 1; m <= npar; ++m) deriv[m] = 0.0;
    return;
  }
  if (!IsSingleLineGaussOrLorentz()) {
    AddPeaks(x, a, npar, value, deriv);
    AddBackground(x, a, npar, value, deriv);
    return;
  }
  const bool gauss = m_shape == kGaussian;
  for (int i = 1; i <= PeakParameterEnd(npar) - 2; i += 3) {
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
  AddBackground(x, a, npar, value, deriv);
}

void PeakModel::Value(double x, const double a[], double& value, int npar) const {
  value = 0.0;
  if (!IsPeakShape(m_shape)) return;
  if (!IsSingleLineGaussOrLorentz()) {
    AddPeaks(x, a, npar, value, nullptr);
    AddBackground(x, a, npar, value, nullptr);
    return;
  }
  const bool gauss = m_shape == kGaussian;
  for (int i = 1; i <= PeakParameterEnd(npar) - 2; i += 3) {
    const double u = (x - a[i + 1]) / a[i + 2];
    const double s = gauss ? std::exp(-(u * u)) : 1.0 / (u * u + 1.0);
    value = s * a[i] + value;
  }
  AddBackground(x, a, npar, value, nullptr);
}

void PeakModel::Curvature(const double x[], const double y[], const double sig[], int npt,
                          const double a[], int npar, const int lista[], int nfit, double** alpha,
                          double beta[], double& chisq) const {
  if (m_doublet.on) {
    FitModel::Curvature(x, y, sig, npt, a, npar, lista, nfit, alpha, beta, chisq);
    return;
  }
  curvature_peaks(x, y, sig, npt, a, npar, lista, nfit, alpha, beta, chisq, m_shape,
                  FastestSimdPath(), m_background);
}
