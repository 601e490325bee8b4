#pragma once

#include <optional>

#include "fit/BackgroundBasis.h"
#include "fit/FitConstraints.h"
#include "fit/FitWeights.h"
#include "fit/PeakShapes.h"

// How the peaks are fitted, beyond the peaks themselves: one value that the
// view holds and every fit, report, drawing, result file and series worker
// receives as an argument or a copy. Undo keeps it with the view's state.
struct FitOptions {
  // Placed peaks start from the half width measured in the data instead of
  // a tenth of the display span.
  bool m_widthFromData = false;
  // Every peak is a Kα1/Kα2 doublet (needs both wavelengths of the profile).
  bool m_doublet = false;
  // The Kα2/Kα1 height ratio given for the doublet; unset: the profile's,
  // else 0.5.
  std::optional<double> m_doubletRatio;
  // A message box after every step of the fit; otherwise the step messages
  // go to the host's status line and only the final box appears.
  bool m_stepMessages = true;
  // The final box names the shape, χ², whether the fit converged and the
  // first peak's height, instead of the bare height.
  bool m_detailedMessage = false;
  friend bool operator==(const FitOptions&, const FitOptions&) = default;
};

struct FitProblem {
  // The peak shape (the registry's number), or kNoShape.
  int shape = kLorentzian;
  // A fit has converged when an accepted step lowers χ² by less than this
  // share of it.
  double tolerance = 0.001;
  FitOptions options;
  // How the points are weighted.
  FitWeights weights = FitWeights::kUnit;
  // Held, bounded and shared parameters.
  FitConstraints constraints;
  // How many peaks the table takes (kDefaultMaxPeaks..kPeakCapacity).
  int maxPeaks = 10;
  // The background refined with the peaks: 1 the line, any other order
  // (kMinBackgroundOrder..kMaxBackgroundOrder) a Chebyshev series over the
  // fit window.
  int backgroundOrder = kLineBackgroundOrder;
  friend bool operator==(const FitProblem&, const FitProblem&) = default;
};
