#pragma once

#include "fit/PeakShapes.h"

// The line functions of the registry's shapes, with u = (x − p)/w:
//   Gaussian            exp(−u²)
//   Lorentzian          1/(1 + u²)
//   pseudo-Voigt        η/(1 + u²) + (1 − η)·exp(−ln 2·u²)
//   Pearson VII         1/(1 + (2^(1/m) − 1)·u²)^m
//   split pseudo-Voigt  the pseudo-Voigt of the left width and η below the
//                       position, of the right ones from it on
// Their operations and their order are those of the block kernels
// (PeakCurvatureKernel.inc), so that both give the same bits.
LineTerms GaussLine(double x, double h, double p, const double q[]);
LineTerms LorentzLine(double x, double h, double p, const double q[]);
LineTerms PseudoVoigtLine(double x, double h, double p, const double q[]);
LineTerms PearsonLine(double x, double h, double p, const double q[]);
LineTerms SplitPseudoVoigtLine(double x, double h, double p, const double q[]);
