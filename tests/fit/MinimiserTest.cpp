#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "fit/Allocators.h"
#include "fit/Expandcov.h"
#include "fit/Fatal.h"
#include "fit/FitModel.h"
#include "fit/Gaussj.h"
#include "fit/Mrqmin.h"
#include "fit/PeakModel.h"

namespace {

// An n x m matrix from the 1-based allocator, released at scope end.
struct Matrix {
  Matrix(int rows, int cols) : n(rows), m(cols), p(matrix(1, rows, 1, cols)) {
    for (int i = 1; i <= n; ++i)
      for (int k = 1; k <= m; ++k) p[i][k] = 0.0;
  }
  Matrix(const Matrix&) = delete;
  Matrix& operator=(const Matrix&) = delete;
  ~Matrix() { release_matrix(p, 1, n, 1, m); }
  double* operator[](int i) const { return p[i]; }
  int n, m;
  double** p;
};

std::string FailureOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const FitFailure& f) {
    return f.what();
  }
  return "";
}

// value = a1² − 1 at every x: from a1 = 0.01 the first Gauss-Newton step
// overshoots to about 50, so the starting call's trial is rejected.
void Parabola(double, const double a[], double& value, double deriv[], int) {
  value = a[1] * a[1] - 1.0;
  deriv[1] = 2.0 * a[1];
}

// The straight line a1·x + a2 fitted to exact data.
struct LineFit {
  std::vector<double> x{0, 1, 2, 3, 4}, y{0, 3, 5, 7, 9}, sig{0, 1, 1, 1, 1};
  std::vector<double> a{0, 0, 0};
  std::vector<int> lista{0, 1, 2};
  Matrix covar{2, 2}, alpha{2, 2};
  double chisq = 0, lambda = -1;
  // With npar = 2 the peak model is the line.
  std::unique_ptr<FitModel> model = std::make_unique<PeakModel>(kLorentzian);
  MrqminSequence sequence;
  void Call(int npt = 4) {
    mrqmin(x.data(), y.data(), sig.data(), npt, a.data(), 2, lista.data(), 2, covar.p, alpha.p,
           chisq, *model, lambda, sequence);
  }
};

TEST(Gaussj, InversesSolutionsAndPivotTieBreaks) {
  {
    Matrix a(2, 2), b(2, 1);
    a[1][1] = 1, a[1][2] = 2, a[2][1] = 2, a[2][2] = 1;
    b[1][1] = 1, b[2][1] = 0;
    gaussj(a.p, 2, b.p, 1);
    // Pivots (2,1) then (2,2); these are the exact results of that order.
    const double q = 1.0 / 1.5;
    EXPECT_EQ(a[1][1], -0.5 * q);
    EXPECT_EQ(a[1][2], 0.5 - 0.5 * (-0.5 * q));
    EXPECT_EQ(a[2][1], q);
    EXPECT_EQ(a[2][2], 0.0 - 0.5 * q);
    EXPECT_NEAR(a[1][1], -1.0 / 3, 1e-15);
    EXPECT_NEAR(a[1][2], 2.0 / 3, 1e-15);
    EXPECT_NEAR(b[1][1], -1.0 / 3, 1e-15);
    EXPECT_NEAR(b[2][1], 2.0 / 3, 1e-15);
  }
  {
    Matrix a(2, 2), b(2, 1);
    a[1][2] = 1, a[2][1] = 1, b[1][1] = 3, b[2][1] = 4;
    gaussj(a.p, 2, b.p, 1);
    EXPECT_EQ(a[1][1], 0.0);
    EXPECT_EQ(a[1][2], 1.0);
    EXPECT_EQ(a[2][1], 1.0);
    EXPECT_EQ(a[2][2], 0.0);
    EXPECT_EQ(b[1][1], 4.0);
    EXPECT_EQ(b[2][1], 3.0);
  }
  {
    Matrix a(1, 1), b(1, 1);
    a[1][1] = 4, b[1][1] = 2;
    gaussj(a.p, 1, b.p, 1);
    EXPECT_EQ(a[1][1], 0.25);
    EXPECT_EQ(b[1][1], 0.5);
  }
}

// Sizes that leave every remainder of the row loops, entries whose
// magnitudes tie many times over (so that the choice among equal pivots and
// of the columns still free matters): the inverse and the solutions hold.
TEST(Gaussj, LargerMatricesWithTiedMagnitudesInvertAndSolve) {
  for (const int n : {3, 8, 9, 13, 42}) {
    Matrix a(n, n), original(n, n), b(n, 2);
    for (int j = 1; j <= n; ++j) {
      for (int k = 1; k <= n; ++k) {
        original[j][k] = a[j][k] = ((j * 7 + k * 3) % 5) - 2.0 + (j == k ? 3.0 * n : 0.0);
      }
      b[j][1] = j;
      b[j][2] = -2.0 * (j % 3);
    }
    gaussj(a.p, n, b.p, 2);
    for (int j = 1; j <= n; ++j) {
      for (int k = 1; k <= n; ++k) {
        double product = 0.0;
        for (int l = 1; l <= n; ++l) product += original[j][l] * a[l][k];
        EXPECT_NEAR(product, j == k ? 1.0 : 0.0, 1e-13) << n << ": " << j << "," << k;
      }
      for (int c = 1; c <= 2; ++c) {
        double rhs = 0.0;
        for (int l = 1; l <= n; ++l) rhs += original[j][l] * b[l][c];
        EXPECT_NEAR(rhs, c == 1 ? j : -2.0 * (j % 3), 1e-12) << n << ": " << j;
      }
    }
  }
}

TEST(Gaussj, SingularAndNonFiniteMatricesFail) {
  Matrix a(2, 2), b(2, 1);
  a[1][1] = 1, a[1][2] = 2, a[2][1] = 2, a[2][2] = 4;
  EXPECT_EQ(FailureOf([&] { gaussj(a.p, 2, b.p, 1); }), "gaussj: Singular Matrix-2");
  const double nan = std::numeric_limits<double>::quiet_NaN();
  a[1][1] = a[1][2] = a[2][1] = a[2][2] = nan;
  EXPECT_EQ(FailureOf([&] { gaussj(a.p, 2, b.p, 1); }), "gaussj: no finite pivot");
  // Larger: a NaN everywhere, then a column of zeros among finite entries.
  Matrix c(9, 9), d(9, 1);
  for (int j = 1; j <= 9; ++j)
    for (int k = 1; k <= 9; ++k) c[j][k] = nan;
  EXPECT_EQ(FailureOf([&] { gaussj(c.p, 9, d.p, 1); }), "gaussj: no finite pivot");
  for (int j = 1; j <= 9; ++j)
    for (int k = 1; k <= 9; ++k) c[j][k] = k == 9 ? 0.0 : j * k + (j == k);
  EXPECT_EQ(FailureOf([&] { gaussj(c.p, 9, d.p, 1); }), "gaussj: Singular Matrix-2");
}

TEST(Expandcov, PlacesFittedBlockAtParameterPositions) {
  Matrix c(5, 5);
  for (int i = 1; i <= 5; ++i)
    for (int k = 1; k <= 5; ++k) c[i][k] = 99;  // scratch left from the solve
  c[1][1] = 11, c[2][2] = 22, c[1][2] = c[2][1] = 12;
  const int lista[] = {0, 4, 2, 1, 3, 5};
  expandcov(c.p, 5, lista, 2);
  for (int i = 1; i <= 5; ++i) {
    for (int k = 1; k <= 5; ++k) {
      double want = 0;
      if (i == 4 && k == 4) want = 11;
      if (i == 2 && k == 2) want = 22;
      if ((i == 2 && k == 4) || (i == 4 && k == 2)) want = 12;
      EXPECT_EQ(c[i][k], want) << i << "," << k;
    }
  }
}

TEST(Mrqmin, ListaCompletionAndItsFailures) {
  std::vector<double> x{0, 1}, y{0, 1}, sig{0, 1}, a{0, 1, 2, 3, 4, 5};
  Matrix covar(5, 5), alpha(5, 5);
  double chisq = 0, lambda = -1;
  // A model that depends on every parameter keeps the solve regular.
  const FunctionModel model([](double, const double p[], double& v, double d[], int n) {
    v = 0;
    for (int m = 1; m <= n; ++m) d[m] = m == 1 ? 1.0 : 0.0;
    v = p[1];
  });
  MrqminSequence sequence;
  std::vector<int> lista{0, 4, 2, 0, 0, 0};
  const auto start = [&](int nfit) {
    lambda = -1;
    mrqmin(x.data(), y.data(), sig.data(), 1, a.data(), 5, lista.data(), nfit, covar.p, alpha.p,
           chisq, model, lambda, sequence);
  };
  // Parameters 4 and 2 have no effect here, so the solve fails after completion.
  EXPECT_EQ(FailureOf([&] { start(2); }), "gaussj: Singular Matrix-2");
  EXPECT_EQ(lista, (std::vector<int>{0, 4, 2, 1, 3, 5}));
  lista = {0, 2, 2, 0, 0, 0};
  EXPECT_EQ(FailureOf([&] { start(2); }), "Bad lista permutation in mrqmin-1");
  lista = {0, 7, 0, 0, 0, 0};
  EXPECT_EQ(FailureOf([&] { start(1); }), "Bad lista permutation in mrqmin-2");
  // A failed sequence is closed: a step call has nothing to continue.
  EXPECT_FALSE(sequence.IsOpen());
  lambda = 0.01;
  EXPECT_EQ(FailureOf([&] {
              mrqmin(x.data(), y.data(), sig.data(), 1, a.data(), 5, lista.data(), 1, covar.p,
                     alpha.p, chisq, model, lambda, sequence);
            }),
            "mrqmin: no fit sequence is open");
}

TEST(Mrqmin, AcceptedAndRejectedStepsMoveLambdaAndKeepState) {
  LineFit fit;
  fit.Call();
  EXPECT_EQ(fit.lambda, 0.001 * 0.1);  // the first trial lowered chi-square
  EXPECT_NEAR(fit.a[1], 2.0, 1e-2);
  EXPECT_NEAR(fit.a[2], 1.0, 3e-2);

  // Rejected: a, alpha and chisq stay bit for bit; lambda grows tenfold.
  std::vector<double> x{0, 1, 2}, y{0, 0, 0}, sig{0, 1, 1}, a{0, 0.01};
  std::vector<int> lista{0, 1};
  Matrix covar(1, 1), alpha(1, 1);
  double chisq = 0, lambda = -1;
  const FunctionModel parabola(Parabola);
  MrqminSequence sequence;
  const auto call = [&] {
    mrqmin(x.data(), y.data(), sig.data(), 2, a.data(), 1, lista.data(), 1, covar.p, alpha.p, chisq,
           parabola, lambda, sequence);
  };
  call();
  EXPECT_EQ(lambda, 0.001 * 10.0);
  EXPECT_EQ(a[1], 0.01);
  const double chisq0 = chisq, alpha0 = alpha[1][1];
  EXPECT_EQ(chisq0, 2 * (0.01 * 0.01 - 1.0) * (0.01 * 0.01 - 1.0));
  call();
  EXPECT_EQ(lambda, 0.001 * 10.0 * 10.0);
  EXPECT_EQ(a[1], 0.01);
  EXPECT_EQ(chisq, chisq0);
  EXPECT_EQ(alpha[1][1], alpha0);
  for (int i = 0; i < 8 && a[1] == 0.01; ++i) call();
  EXPECT_LT(chisq, chisq0);  // enough damping: a step is finally accepted
}

TEST(Mrqmin, EqualOrNonFiniteTrialIsRejected) {
  LineFit exact;
  exact.a = {0, 2, 1};  // already the solution: the trial's chi-square is equal
  exact.Call();
  EXPECT_EQ(exact.chisq, 0.0);
  EXPECT_EQ(exact.lambda, 0.01);
  EXPECT_EQ(exact.a, (std::vector<double>{0, 2, 1}));

  LineFit bad;
  bad.model =
      std::make_unique<FunctionModel>([](double x, const double a[], double& v, double d[], int) {
        v = a[1] == 0 ? x : std::numeric_limits<double>::infinity();
        d[1] = x;
        d[2] = 1;
      });
  bad.Call();
  EXPECT_EQ(bad.lambda, 0.01);
  EXPECT_EQ(bad.a, (std::vector<double>{0, 0, 0}));
}

TEST(Mrqmin, FinishingCallLeavesSymmetricInverseAndCloses) {
  LineFit fit;
  fit.Call();
  fit.Call();
  std::vector<double> alpha{fit.alpha[1][1], fit.alpha[1][2], fit.alpha[2][1], fit.alpha[2][2]};
  fit.lambda = 0;
  fit.Call();
  EXPECT_EQ(fit.covar[1][2], fit.covar[2][1]);
  const double det = alpha[0] * alpha[3] - alpha[1] * alpha[2];
  EXPECT_NEAR(fit.covar[1][1], alpha[3] / det, 1e-12);
  EXPECT_NEAR(fit.covar[1][2], -alpha[1] / det, 1e-12);
  EXPECT_FALSE(fit.sequence.IsOpen());
  fit.lambda = 0.1;
  EXPECT_EQ(FailureOf([&] { fit.Call(); }), "mrqmin: no fit sequence is open");
}

TEST(Mrqmin, NoPointsIsSingularAndEverySequenceIsItsCallersOwn) {
  LineFit empty;
  EXPECT_EQ(FailureOf([&] { empty.Call(0); }), "gaussj: Singular Matrix-2");
  EXPECT_FALSE(empty.sequence.IsOpen());

  LineFit alone;
  for (int call = 0; call < 3; ++call) alone.Call();

  // Two fits in turn, each with its own sequence, and a step of a third
  // that has none open, here and in another thread: neither disturbs the
  // other, and the first reaches bit for bit what it reaches alone.
  LineFit fit, second;
  second.y = {0, 1, 2, 3, 5};
  fit.Call();
  second.Call();
  LineFit late;
  late.lambda = 0.1;
  EXPECT_EQ(FailureOf([&] { late.Call(); }), "mrqmin: no fit sequence is open");
  std::string other;
  std::thread([&] {
    LineFit elsewhere;
    elsewhere.lambda = 0.1;
    other = FailureOf([&] { elsewhere.Call(); });
  }).join();
  EXPECT_EQ(other, "mrqmin: no fit sequence is open");
  EXPECT_EQ(FailureOf([&] { fit.Call(); }), "");
  EXPECT_EQ(FailureOf([&] { second.Call(); }), "");
  EXPECT_EQ(FailureOf([&] { fit.Call(); }), "");
  EXPECT_EQ(fit.a, alone.a);
  EXPECT_EQ(fit.chisq, alone.chisq);
  EXPECT_NE(second.a, fit.a);

  // Released, a sequence is closed and has nothing left to step.
  fit.sequence.Release();
  EXPECT_FALSE(fit.sequence.IsOpen());
  EXPECT_TRUE(second.sequence.IsOpen());
  EXPECT_EQ(FailureOf([&] { fit.Call(); }), "mrqmin: no fit sequence is open");
}

}  // namespace
