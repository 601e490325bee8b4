#pragma once

#include "fit/BackgroundBasis.h"
#include "fit/FitModel.h"
#include "fit/KAlphaDoublet.h"
#include "fit/PeakShapes.h"

// The sum of n peaks of one shape on a background, the model every fit,
// report and drawing evaluates. a[1..npar] (1-based, npar = pn + b with p
// the shape's parameters a peak and b the background's terms): each peak's
// parameters in the registry's order, then the background's terms (the
// slope A and the intercept B of the line, or c0…cN of the Chebyshev
// series). While the doublet is on, every peak is its line plus its Kα2
// companion. A number that selects no shape gives a model of 0 (every
// derivative 0).
class PeakModel : public FitModel {
 public:
  explicit PeakModel(int shape, DoubletLines doublet = {}, BackgroundBasis background = {})
      : m_shape(shape), m_doublet(doublet), m_background(background) {}

  int Shape() const { return m_shape; }
  const DoubletLines& Doublet() const { return m_doublet; }
  const BackgroundBasis& Background() const { return m_background; }
  // The background alone at x, from the terms at the end of a[1..npar].
  double BackgroundAt(double x, const double a[], int npar) const;

  // Sets value and deriv[m] = d value / d a[m] for m = 1..npar. Evaluate and
  // Value give bit-identical values; neither allocates nor fails.
  void Evaluate(double x, const double a[], double& value, double deriv[], int npar) const override;
  void Value(double x, const double a[], double& value, int npar) const;
  double ValueAt(double x, const double a[], int npar) const {
    double value = 0.0;
    Value(x, a, value, npar);
    return value;
  }
  // Single lines go through the vectorised block sums (the same numbers);
  // the doublet point by point.
  void Curvature(const double x[], const double y[], const double sig[], int npt, const double a[],
                 int npar, const int lista[], int nfit, double** alpha, double beta[],
                 double& chisq) const override;

 private:
  // The peaks of any shape, each a single line or a doublet: adds their
  // values to value and, when deriv is given, writes their derivatives.
  void AddPeaks(double x, const double a[], int npar, double& value, double deriv[]) const;
  bool IsSingleLineGaussOrLorentz() const;
  // Adds the background's terms to value, and their derivatives to deriv
  // when given.
  void AddBackground(double x, const double a[], int npar, double& value, double deriv[]) const;
  // The last peak parameter's index, npar less the background's terms.
  int PeakParameterEnd(int npar) const { return npar - m_background.Terms(); }

  int m_shape;
  DoubletLines m_doublet;
  BackgroundBasis m_background;
};
