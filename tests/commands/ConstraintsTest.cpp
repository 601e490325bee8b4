// Held, bounded and shared parameters, against a model written out here with
// one width and fitted by a small Levenberg–Marquardt of this test's own.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/DenseSolve.h"
#include "tests/support/ScriptRun.h"
#include "tests/support/SharedData.h"
#include "tests/support/TempFile.h"

namespace {

struct Point {
  double x, y;
};

// Three Lorentzians 0.3° apart on a line, with a ripple for noise.
std::vector<Point> Profile() {
  std::vector<Point> points;
  for (int i = 0; i < 800; ++i) {
    const double x = 28 + i * 0.01;
    double y = 100 + 3 * std::sin(1.7 * i);
    const double peaks[3][3] = {{30, 1000, 0.1}, {30.3, 600, 0.12}, {30.6, 800, 0.09}};
    for (const auto& p : peaks) {
      const double u = (x - p[0]) / p[2];
      y += p[1] / (1 + u * u);
    }
    points.push_back({x, y});
  }
  return points;
}

// q = h1, p1, h2, p2, h3, p3, w, slope, intercept; held[k] keeps q[k].
struct OneWidthFit {
  std::vector<double> q;
  double chisq = 0;
  std::vector<double> sigma;
};

double Model(const std::vector<double>& q, double x, std::vector<double>* d) {
  double f = q[7] * x + q[8];
  if (d) d->assign(9, 0.0);
  for (int k = 0; k < 3; ++k) {
    const double h = q[2 * k], p = q[2 * k + 1], w = q[6];
    const double u = (x - p) / w, l = 1 / (1 + u * u);
    f += h * l;
    if (d) {
      (*d)[2 * k] = l;
      (*d)[2 * k + 1] = 2 * h * l * l * u / w;
      (*d)[6] += 2 * h * l * l * u * u / w;
    }
  }
  if (d) {
    (*d)[7] = x;
    (*d)[8] = 1;
  }
  return f;
}

OneWidthFit FitOneWidth(const std::vector<Point>& points, std::vector<double> q,
                        const std::vector<bool>& held) {
  std::vector<int> free;
  for (int k = 0; k < 9; ++k)
    if (!held[k]) free.push_back(k);
  const std::size_t n = free.size();
  const auto sums = [&](const std::vector<double>& at, std::vector<std::vector<double>>& a,
                        std::vector<double>& b) {
    a.assign(n, std::vector<double>(n, 0.0));
    b.assign(n, 0.0);
    double chisq = 0;
    std::vector<double> d;
    for (const Point& pt : points) {
      if (pt.x < 29 || pt.x > 31.5) continue;
      const double r = pt.y - Model(at, pt.x, &d);
      chisq += r * r;
      for (std::size_t j = 0; j < n; ++j) {
        b[j] += r * d[free[j]];
        for (std::size_t k = 0; k < n; ++k) a[j][k] += d[free[j]] * d[free[k]];
      }
    }
    return chisq;
  };
  std::vector<std::vector<double>> a;
  std::vector<double> b;
  double chisq = sums(q, a, b), lambda = 1e-3;
  for (int it = 0; it < 200; ++it) {
    auto damped = a;
    for (std::size_t j = 0; j < n; ++j) damped[j][j] *= 1 + lambda;
    const std::vector<double> step = Solve(damped, b);
    std::vector<double> trial = q;
    for (std::size_t j = 0; j < n; ++j) trial[free[j]] += step[j];
    std::vector<std::vector<double>> ta;
    std::vector<double> tb;
    const double t = sums(trial, ta, tb);
    if (t < chisq) {
      q = trial, chisq = t, a = ta, b = tb, lambda *= 0.1;
    } else {
      lambda *= 10;
    }
  }
  OneWidthFit fit{q, chisq, {}};
  int npt = 0;
  for (const Point& pt : points) npt += pt.x >= 29 && pt.x <= 31.5;
  for (std::size_t j = 0; j < n; ++j) {
    std::vector<double> unit(n, 0.0);
    unit[j] = 1;
    const double cjj = Solve(a, unit)[j];
    fit.sigma.push_back(std::sqrt(cjj * chisq / (npt - static_cast<int>(n))));
  }
  return fit;
}

std::vector<double> ReportColumn(const std::string& out, int column) {
  std::vector<double> values;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    if (line.find(",lorentz,") == std::string::npos) continue;
    std::istringstream cells(line);
    std::string cell;
    for (int c = 0; c <= column; ++c) std::getline(cells, cell, ',');
    values.push_back(cell.empty() ? NAN : std::stod(cell));
  }
  return values;
}

double Chisq(const std::string& out) { return std::stod(out.substr(out.find("\"chisq\": ") + 9)); }

std::string Session(const std::string& constraints) {
  std::ostringstream text;
  text.precision(17);
  for (const Point& p : Profile()) text << p.x << ' ' << p.y << '\n';
  const std::string path = WriteTempFile("three_peaks.xy", text.str());
  return "open xy " + path +
         "; range 29 31.5 0 1300; peak-mode; peak 30 1080; peak 30.3 700; peak 30.6 900; "
         "conditions lorentz 0.00001; step-messages off; " +
         constraints + "; fit; fit; fit; fit; fit; fit-stats; report";
}

TEST(Constraints, ASharedWidthFitsAsAModelWrittenWithOneWidth) {
  const ScriptOutcome run = RunScript(Session("share width"));
  ASSERT_EQ(run.status, 0) << run.err;
  const OneWidthFit ref = FitOneWidth(Profile(), {1000, 30, 600, 30.3, 800, 30.6, 0.1, 0, 100},
                                      std::vector<bool>(9, false));
  EXPECT_NEAR(Chisq(run.out), ref.chisq, 1e-8 * ref.chisq);
  EXPECT_NE(run.out.find("\"npar\": 9,"), std::string::npos) << run.out;
  const std::vector<double> position = ReportColumn(run.out, 2),
                            positionErr = ReportColumn(run.out, 3);
  const std::vector<double> height = ReportColumn(run.out, 4), heightErr = ReportColumn(run.out, 5);
  const std::vector<double> fwhm = ReportColumn(run.out, 6), fwhmErr = ReportColumn(run.out, 7);
  ASSERT_EQ(position.size(), 3u);
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(height[k], ref.q[2 * k], 1e-5 * ref.q[2 * k]);
    EXPECT_NEAR(position[k], ref.q[2 * k + 1], 1e-7);
    EXPECT_NEAR(heightErr[k], ref.sigma[2 * k], 1e-4 * ref.sigma[2 * k]);
    EXPECT_NEAR(positionErr[k], ref.sigma[2 * k + 1], 1e-4 * ref.sigma[2 * k + 1]);
    // Every peak's FWHM is twice the one width, with its σ.
    EXPECT_NEAR(fwhm[k], 2 * ref.q[6], 1e-7);
    EXPECT_NEAR(fwhmErr[k], 2 * ref.sigma[6], 1e-4 * 2 * ref.sigma[6]);
  }
}

TEST(Constraints, AFixedPositionFitsAsAModelWithoutThatParameter) {
  const ScriptOutcome run = RunScript(Session("share width; fix 2 position"));
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<bool> held(9, false);
  held[3] = true;
  const OneWidthFit ref =
      FitOneWidth(Profile(), {1000, 30, 600, 30.3, 800, 30.6, 0.1, 0, 100}, held);
  EXPECT_NEAR(Chisq(run.out), ref.chisq, 1e-8 * ref.chisq);
  EXPECT_NE(run.out.find("\"npar\": 8,"), std::string::npos) << run.out;
  const std::vector<double> position = ReportColumn(run.out, 2);
  EXPECT_EQ(position[1], 30.3);
  EXPECT_TRUE(std::isnan(ReportColumn(run.out, 3)[1]));  // no σ for a held parameter
  EXPECT_NE(run.err.find("position = 30.3 は固定"), std::string::npos) << run.err;
  // The correlations are those of the free parameters: the shared width
  // once, the held position not at all.
  const ScriptOutcome correlations =
      RunScript(Session("share width; fix 2 position") + "; correlations");
  EXPECT_NE(correlations.out.find("{\"parameters\": [\"height_1\", \"position_1\", \"width_1\", "
                                  "\"height_2\", \"height_3\", \"position_3\", \"slope\", "
                                  "\"intercept\"], \"correlations\": [[1, "),
            std::string::npos)
      << correlations.out;
}

TEST(Constraints, ABoundHoldsAndItsParameterIsNamed) {
  const ScriptOutcome run = RunScript(Session("share width; bound 1 height 0 900"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReportColumn(run.out, 4)[0], 900);
  EXPECT_TRUE(std::isnan(ReportColumn(run.out, 5)[0]));
  EXPECT_NE(run.out.find("\"converged\": true"), std::string::npos) << run.out;
  // Unbounded again, the same fit is free to exceed it.
  const ScriptOutcome free =
      RunScript(Session("share width; bound 1 height 0 900; unbound 1 height"));
  EXPECT_GT(ReportColumn(free.out, 4)[0], 950);
}

TEST(Constraints, BadReferencesAreScriptErrors) {
  const std::string open = Session("share width");
  for (const char* bad : {"fix 4 height", "fix 1 eta", "bound 1 height 5 1", "fix background m",
                          "share height", "max-peaks 9", "max-peaks 201", "bounds default maybe"}) {
    const ScriptOutcome run = RunScript(open + "; " + bad);
    EXPECT_EQ(run.status, 2) << bad;
  }
}

// The conditions command sets the tolerance and the shape; the physical
// bounds and the table's size, like the other options, stay as they were.
TEST(Constraints, ConditionsKeepTheBoundsSwitchAndTheTableSize) {
  const ScriptOutcome run =
      RunScript(Session("bounds default off; max-peaks 30; conditions gauss 0.01; state"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\"bounds_default\": false"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"max_peaks\": 30"), std::string::npos) << run.out;
}

// The synchrotron LaB6 standard's window 5.5–25° holds 16 reflections: one
// fit of all of them, every height positive.
TEST(Constraints, SixteenPeaksOfAMeasuredWindowFitInOne) {
  SKIP_WITHOUT_SHARED_DATA();
  const ScriptOutcome run =
      RunScript("open auto \"" + SharedData("GSAS-II__11bmb_3844_LaB6_SRM660a.xye") +
                "\"; max-peaks 20; range 5.5 25 0 100000; find-peaks 16; conditions pvoigt 0.0001; "
                "step-messages off; fit; fit; fit; fit; fit-stats; report; state");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\"converged\": true"), std::string::npos) << run.out;
  std::istringstream lines(run.out);
  int peaks = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.find(",pvoigt,") == std::string::npos) continue;
    ++peaks;
    std::istringstream cells(line);
    std::string cell;
    for (int c = 0; c <= 4; ++c) std::getline(cells, cell, ',');
    EXPECT_GT(std::stod(cell), 0) << line;
  }
  EXPECT_EQ(peaks, 16);
  EXPECT_NE(run.out.find("\"max_peaks\": 20"), std::string::npos);
}

}  // namespace
