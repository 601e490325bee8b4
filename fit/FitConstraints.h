#pragma once

#include <array>
#include <limits>
#include <vector>

#include "fit/PeakShapes.h"

// What the user holds, bounds or shares among the fit's parameters.

// One parameter: held at its current value, and the range it must stay in
// (±∞ for none).
struct ParameterConstraint {
  bool fixed = false;
  double lower = -std::numeric_limits<double>::infinity();
  double upper = std::numeric_limits<double>::infinity();

  bool Bounded() const {
    return lower > -std::numeric_limits<double>::infinity() ||
           upper < std::numeric_limits<double>::infinity();
  }
  bool Free() const { return !fixed && !Bounded(); }
  friend bool operator==(const ParameterConstraint&, const ParameterConstraint&) = default;
};

// The most terms of a background polynomial (order 6).
constexpr int kMaxBackgroundTerms = 7;

struct FitConstraints {
  // Slot k (1-based, as the peak table) holds its peak's constraints, one a
  // parameter in the registry's order; slots without an entry are free.
  std::vector<std::array<ParameterConstraint, kMaxPeakParameters>> peaks;
  // The background's terms in the model's order (slope and intercept of the
  // line; c0…c6 of a Chebyshev series).
  std::array<ParameterConstraint, kMaxBackgroundTerms> background{};
  // One width (both halves' of a split peak apart) and one η or m for every
  // peak.
  bool shareWidth = false;
  bool shareShape = false;
  // The physical ranges of the mixed shapes (height ≥ 0, width > 0, η in
  // 0..1, m ≥ 0.6) hold unless turned off.
  bool physicalBounds = true;

  const ParameterConstraint& Peak(int slot, int parameter) const {
    static const ParameterConstraint kFree{};
    if (slot < 0 || static_cast<std::size_t>(slot) >= peaks.size()) return kFree;
    return peaks[static_cast<std::size_t>(slot)][static_cast<std::size_t>(parameter)];
  }
  ParameterConstraint& Peak(int slot, int parameter) {
    if (static_cast<std::size_t>(slot) >= peaks.size()) peaks.resize(slot + 1);
    return peaks[static_cast<std::size_t>(slot)][static_cast<std::size_t>(parameter)];
  }
  // Whether nothing is held, bounded or shared (the physical bounds apart).
  bool None() const {
    for (const auto& slot : peaks) {
      for (const ParameterConstraint& c : slot) {
        if (!c.Free()) return false;
      }
    }
    for (const ParameterConstraint& c : background) {
      if (!c.Free()) return false;
    }
    return !shareWidth && !shareShape;
  }
  friend bool operator==(const FitConstraints&, const FitConstraints&) = default;
};
