#pragma once

// The model callback: value at x and deriv[m] = d value / d a[m], 1-based.
using ModelFunction = void (*)(double x, const double a[], double& value, double deriv[], int npar);

// Chi-square of the model at a against the points (x, y) with standard
// deviations sig (all 1-based, npt points), the curvature matrix
// alpha[j][k] = sum D_j·D_k/sig² and beta[j] = sum (y - model)·D_j/sig² over
// the fitted parameters a[lista[1..nfit]]. Only rows and columns 1..nfit of
// alpha are written. Sums run over the points in order.
void curvature(const double x[], const double y[], const double sig[], int npt, const double a[],
               int npar, const int lista[], int nfit, double** alpha, double beta[], double& chisq,
               ModelFunction model);
