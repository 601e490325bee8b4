#pragma once

#include <array>
#include <vector>

// The numeric steps of the background estimate: bins of five collected
// points, clipping of the peaks, and a cubic least-squares baseline through
// the bins, reduced in a fixed order so that the coefficients do not depend
// on the solver. Bins are indexed from 0.

namespace bgfit {

constexpr int kPointsPerBin = 5;
constexpr int kClipPasses = 30;
constexpr int kCoefficients = 4;  // cubic: c0 + c1 x + c2 x^2 + c3 x^3

using Coefficients = std::array<double, kCoefficients>;

// Means of consecutive groups of five points, in the order given; the last
// n mod 5 points form no bin. binX and binY are resized to n / 5.
void MakeBins(const std::vector<double>& x, const std::vector<double>& y, std::vector<double>& binX,
              std::vector<double>& binY);

// One clipping pass, in place and in ascending order: each interior bin is
// pulled down to the mean of its neighbours when that mean is lower. The
// first and last bins never change and no bin is raised.
void ClipPass(std::vector<double>& binY);

// kClipPasses passes of ClipPass.
void ClipBins(std::vector<double>& binY);

// The outcome of a reduction. A zero pivot stops the reduction early; the
// coefficients are still formed from the columns reduced so far.
struct CubicFit {
  Coefficients coef{};
  bool zeroPivot = false;
};

// Least-squares cubic through the bins by column reduction of the power
// columns against the design matrix. Needs at least one bin.
CubicFit FitCubic(const std::vector<double>& binX, const std::vector<double>& binY);

// The baseline at x: the powers of x times the coefficients, summed from c0.
double BaselineAt(const Coefficients& coef, double x);

}  // namespace bgfit
