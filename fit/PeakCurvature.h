#pragma once

#include "fit/BackgroundBasis.h"

// curvature for the peak model, evaluated a block of points at a time with
// the model vectorised across points and the sums across the fitted
// parameters. Every element goes through the same operations in the same
// order as the one-point-at-a-time routine, so the results are bit-identical.

// The instruction sets the block code is built for, chosen at run time.
enum class SimdPath { Portable, Avx2, Avx512 };

// The widest path the processor supports.
SimdPath FastestSimdPath();
bool SimdPathSupported(SimdPath path);

// Same contract as curvature with the single-line peak model of the shape
// on the background.
void curvature_peaks(const double x[], const double y[], const double sig[], int npt,
                     const double a[], int npar, const int lista[], int nfit, double** alpha,
                     double beta[], double& chisq, int shape, SimdPath path,
                     const BackgroundBasis& background = {});
