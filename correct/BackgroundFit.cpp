#include "correct/BackgroundFit.h"

#include <cmath>
#include <cstddef>

namespace bgfit {

namespace {

constexpr int kColumns = kCoefficients + 1;  // the powers of x, then Y
constexpr int kYColumn = kCoefficients;

using Row = std::array<double, kColumns>;
using Matrix = std::vector<Row>;

// Rows of x^0..x^3 of each bin's mean X, then the bin's Y.
Matrix DesignMatrix(const std::vector<double>& binX, const std::vector<double>& binY) {
  Matrix a(binX.size());
  for (std::size_t r = 0; r < binX.size(); ++r) {
    for (int p = 0; p < kCoefficients; ++p) a[r][p] = std::pow(binX[r], static_cast<double>(p));
    a[r][kYColumn] = binY[r];
  }
  return a;
}

// Sum over the rows of b[r][j] * a[r][k], from 0.0 in ascending order.
double ColumnProduct(const Matrix& b, int j, const Matrix& a, int k) {
  double sum = 0.0;
  for (std::size_t r = 0; r < b.size(); ++r) sum += b[r][j] * a[r][k];
  return sum;
}

}  // namespace

void MakeBins(const std::vector<double>& x, const std::vector<double>& y, std::vector<double>& binX,
              std::vector<double>& binY) {
  const std::size_t nBin = x.size() / kPointsPerBin;
  binX.assign(nBin, 0.0);
  binY.assign(nBin, 0.0);
  for (std::size_t r = 0; r < nBin; ++r) {
    double sx = 0.0;
    double sy = 0.0;
    for (std::size_t q = 0; q < kPointsPerBin; ++q) {
      sx += x[kPointsPerBin * r + q];
      sy += y[kPointsPerBin * r + q];
    }
    binX[r] = sx / static_cast<double>(kPointsPerBin);
    binY[r] = sy / static_cast<double>(kPointsPerBin);
  }
}

void ClipPass(std::vector<double>& binY) {
  for (std::size_t r = 1; r + 1 < binY.size(); ++r) {
    const double m = (binY[r - 1] + binY[r + 1]) / 2.0;
    if (m < binY[r]) binY[r] = m;
  }
}

void ClipBins(std::vector<double>& binY) {
  for (int pass = 0; pass < kClipPasses; ++pass) ClipPass(binY);
}

CubicFit FitCubic(const std::vector<double>& binX, const std::vector<double>& binY) {
  const Matrix a = DesignMatrix(binX, binY);
  Matrix b = a;
  CubicFit fit;
  // Each step scales power column k of B by its pivot and removes it from
  // every other column; A is never changed. Column 4 ends as the residual.
  for (int k = 0; k < kCoefficients; ++k) {
    const double d = ColumnProduct(b, k, a, k);
    if (d == 0.0) {
      fit.zeroPivot = true;
      break;
    }
    for (Row& row : b) row[k] = row[k] / d;
    for (int j = 0; j < kColumns; ++j) {
      if (j == k) continue;
      const double e = ColumnProduct(b, j, a, k);
      for (Row& row : b) row[j] = row[j] - e * row[k];
    }
  }
  for (int k = 0; k < kCoefficients; ++k) fit.coef[k] = ColumnProduct(b, k, a, kYColumn);
  return fit;
}

double BaselineAt(const Coefficients& coef, double x) {
  double v = 0.0;
  for (int p = 0; p < kCoefficients; ++p) v += std::pow(x, static_cast<double>(p)) * coef[p];
  return v;
}

}  // namespace bgfit
