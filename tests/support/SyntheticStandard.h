#pragma once

#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

// An X-Y list of a synthetic standard: Gaussian lines of height 20000 at the
// 2θ given, each with the FWHM fwhm(2θ), on a flat background of 50, sampled
// every 0.01° from x0 (points 0..last), with counting noise √y of a fixed
// seed; "%.3f %.3f" a line.
inline std::string GaussianStandardProfile(const std::vector<double>& peaks,
                                           const std::function<double(double)>& fwhm, double x0,
                                           int last, unsigned seed) {
  std::mt19937 random(seed);
  std::normal_distribution<double> unit(0.0, 1.0);
  std::string text;
  for (int i = 0; i <= last; ++i) {
    const double x = x0 + 0.01 * i;
    double y = 50.0;
    for (const double p : peaks) {
      const double hw = fwhm(p) / (2.0 * std::sqrt(std::log(2.0)));
      y += 20000.0 * std::exp(-((x - p) / hw) * ((x - p) / hw));
    }
    y += std::sqrt(y) * unit(random);
    char line[64];
    std::snprintf(line, sizeof line, "%.3f %.3f\n", x, y);
    text += line;
  }
  return text;
}
