#pragma once

#include <functional>
#include <utility>

// What the minimiser fits: a model of parameters a[1..npar] (1-based) with
// analytic derivatives.
class FitModel {
 public:
  virtual ~FitModel() = default;
  // The value at x and deriv[m] = d value / d a[m] for m = 1..npar.
  virtual void Evaluate(double x, const double a[], double& value, double deriv[],
                        int npar) const = 0;
  // Chi-square of the model at a against the points (x, y) with standard
  // deviations sig (all 1-based, npt points), the curvature matrix
  // alpha[j][k] = sum D_j·D_k/sig² and beta[j] = sum (y - model)·D_j/sig²
  // over the fitted parameters a[lista[1..nfit]]. Only rows and columns
  // 1..nfit of alpha are written. Sums run over the points in order. By
  // default point by point through Evaluate; a model may have a faster route
  // to the same numbers.
  virtual void Curvature(const double x[], const double y[], const double sig[], int npt,
                         const double a[], int npar, const int lista[], int nfit, double** alpha,
                         double beta[], double& chisq) const;
};

// A model given as a function (tests and small fits).
using ModelFunction =
    std::function<void(double x, const double a[], double& value, double deriv[], int npar)>;

class FunctionModel : public FitModel {
 public:
  explicit FunctionModel(ModelFunction function) : m_function(std::move(function)) {}
  void Evaluate(double x, const double a[], double& value, double deriv[],
                int npar) const override {
    m_function(x, a, value, deriv, npar);
  }

 private:
  ModelFunction m_function;
};
