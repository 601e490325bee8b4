#include "fit/FitWeights.h"

const char* FitWeightsName(FitWeights weights) {
  switch (weights) {
    case FitWeights::kUnit:
      return "unit";
    case FitWeights::kCounts:
      return "counts";
    case FitWeights::kSigma:
      return "sigma";
  }
  return "unit";
}
