// Seeded Poisson realisations of two overlapping pseudo-Voigt peaks on a
// background, each fitted through the fit command's own path: under counting
// weights the reported σ match the scatter of the fitted values, the truth
// lies within 1σ as often as a normal distribution says, and the goodness of
// fit is about 1; under unit weights (the control) they do not.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "commands/PeakFit.h"
#include "profile/TavDoc.h"
#include "view/AnsweringHost.h"
#include "view/TavView.h"

namespace {

constexpr int kFits = 500;

struct Peak {
  double h, p, w, eta;
};
constexpr Peak kTruth[2] = {{3000.0, 21.9, 0.06, 0.5}, {1500.0, 22.1, 0.07, 0.4}};
constexpr double kBackground = 150.0;

// The pseudo-Voigt with half width w at half maximum, written out.
double Line(const Peak& k, double x) {
  const double u = (x - k.p) / k.w;
  return k.h * (k.eta / (1.0 + u * u) + (1.0 - k.eta) * std::exp(-std::log(2.0) * u * u));
}

double Mean(double x) { return Line(kTruth[0], x) + Line(kTruth[1], x) + kBackground; }

// FWHM and area of a pseudo-Voigt, from its definition.
double Fwhm(const Peak& k) { return 2.0 * k.w; }
double Area(const Peak& k) {
  return k.h * k.w * (k.eta * M_PI + (1.0 - k.eta) * std::sqrt(M_PI / std::log(2.0)));
}

// One quantity over the realisations: fitted values and reported σ.
struct Tally {
  std::vector<double> values, sigmas;
  double truth = 0.0;

  double Scatter() const {
    double mean = 0.0;
    for (const double v : values) mean += v;
    mean /= static_cast<double>(values.size());
    double ss = 0.0;
    for (const double v : values) ss += (v - mean) * (v - mean);
    return std::sqrt(ss / static_cast<double>(values.size() - 1));
  }
  double MeanSigma() const {
    double s = 0.0;
    for (const double v : sigmas) s += v;
    return s / static_cast<double>(sigmas.size());
  }
  double Coverage() const {
    int inside = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
      inside += std::fabs(values[i] - truth) <= sigmas[i];
    }
    return static_cast<double>(inside) / static_cast<double>(values.size());
  }
};

struct Outcome {
  std::vector<Tally> tallies;  // position, FWHM, area of each peak
  double meanGof = 0.0;
  int failed = 0;
};

Outcome Realise(FitWeights weights) {
  std::mt19937 random(20261209);
  Outcome o;
  o.tallies.resize(6);
  for (int k = 0; k < 2; ++k) {
    o.tallies[3 * k].truth = kTruth[k].p;
    o.tallies[3 * k + 1].truth = Fwhm(kTruth[k]);
    o.tallies[3 * k + 2].truth = Area(kTruth[k]);
  }
  double gofs = 0.0;
  for (int fit = 0; fit < kFits; ++fit) {
    std::vector<double> x, y;
    for (int i = 0; i <= 400; ++i) {
      x.push_back(20.0 + 0.01 * i);
      y.push_back(std::poisson_distribution<int>(Mean(x.back()))(random));
    }
    CTavDoc doc;
    AnsweringHost host;
    CTavView view(doc, host);
    doc.SetPoints(x, y);
    view.TakeLoadedProfile();
    ViewState& s = view.StateForTests();
    s.fit.shape = kPseudoVoigt;
    s.fit.tolerance = 1e-6;
    s.fit.weights = weights;
    s.fit.options.m_stepMessages = false;
    PeakTable& t = s.peaks;
    t.m_nPeak = 2;
    t.m_bFitted = 1;
    for (int k = 1; k <= 2; ++k) {
      t.m_height[k] = kTruth[k - 1].h * 0.9;
      t.m_position[k] = kTruth[k - 1].p + 0.01;
      t.m_width[k] = kTruth[k - 1].w * 1.2;
    }
    t.m_bgB = kBackground;
    PeakFit result;
    for (int round = 0; round < 5; ++round) {
      result = FitViewPeaks(view, host);
      if (!result.Succeeded()) break;
      view.StoreFittedParameters(result.a);
      if (result.outcome.converged) break;
    }
    if (!result.Succeeded() || !result.outcome.converged) {
      ++o.failed;
      continue;
    }
    const PeakReport r = ReportOfFit(view, result);
    for (int k = 0; k < 2; ++k) {
      const PeakResult& peak = r.peaks[static_cast<std::size_t>(k)];
      const Estimate* e[3] = {&peak.position, &peak.fwhm, &peak.area};
      for (int q = 0; q < 3; ++q) {
        o.tallies[3 * k + q].values.push_back(*e[q]->value);
        o.tallies[3 * k + q].sigmas.push_back(*e[q]->error);
      }
    }
    gofs += std::sqrt(r.statistics.reducedChisq);
  }
  o.meanGof = gofs / static_cast<double>(kFits - o.failed);
  return o;
}

// Whether every quantity's mean σ is within 15 % of its scatter and 60–76 %
// of the fits lie within 1σ of the truth.
bool HonestBand(const Outcome& o, std::string& why) {
  const char* names[] = {"position", "FWHM", "area"};
  bool honest = true;
  for (std::size_t q = 0; q < o.tallies.size(); ++q) {
    const Tally& t = o.tallies[q];
    const double ratio = t.MeanSigma() / t.Scatter();
    const double coverage = t.Coverage();
    why += "peak " + std::to_string(q / 3 + 1) + " " + names[q % 3] + ": sigma/scatter " +
           std::to_string(ratio) + ", within 1 sigma " + std::to_string(coverage) + "\n";
    honest = honest && std::fabs(ratio - 1.0) <= 0.15 && coverage >= 0.60 && coverage <= 0.76;
  }
  return honest;
}

TEST(CountingWeightsMonteCarlo, CountingWeightsGiveUncertaintiesThatMatchTheScatter) {
  const Outcome counts = Realise(FitWeights::kCounts);
  ASSERT_LE(counts.failed, kFits / 100);
  std::string why;
  EXPECT_TRUE(HonestBand(counts, why)) << why;
  EXPECT_NEAR(counts.meanGof, 1.0, 0.1);

  // The control: the same fits with unit weights leave that band, so the
  // test can tell the two apart.
  const Outcome unit = Realise(FitWeights::kUnit);
  std::string unitWhy;
  EXPECT_FALSE(HonestBand(unit, unitWhy)) << unitWhy;
  std::printf("counting weights:\n%sunit weights:\n%s", why.c_str(), unitWhy.c_str());
}

}  // namespace
