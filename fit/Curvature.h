#pragma once

#include "fit/FitModel.h"

// The curvature sums of FitModel::Curvature for the model: the model's own
// route to them.
void curvature(const double x[], const double y[], const double sig[], int npt, const double a[],
               int npar, const int lista[], int nfit, double** alpha, double beta[], double& chisq,
               const FitModel& model);

// The same sums point by point through the model's Evaluate, whatever route
// the model has.
void curvature_pointwise(const double x[], const double y[], const double sig[], int npt,
                         const double a[], int npar, const int lista[], int nfit, double** alpha,
                         double beta[], double& chisq, const FitModel& model);
