#include "fit/LatticeRefinement.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "text/Translate.h"

namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
constexpr int kMaxSteps = 50;
constexpr double kConvergence = 1e-4;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Model {
  UnitCell start;
  double wavelength;
  RefinementOptions options;
  int cellCount;

  int Count() const { return cellCount + (options.zero ? 1 : 0) + (options.displacement ? 1 : 0); }
  int ZeroIndex() const { return cellCount; }
  int DisplacementIndex() const { return cellCount + (options.zero ? 1 : 0); }
  double Zero(const std::vector<double>& p) const { return options.zero ? p[ZeroIndex()] : 0.0; }
  double Displacement(const std::vector<double>& p) const {
    return options.displacement ? p[DisplacementIndex()] : 0.0;
  }
  std::vector<double> Lengths(const std::vector<double>& p) const {
    return {p.begin(), p.begin() + cellCount};
  }

  // The calculated 2θ of a peak, and its derivatives by the parameters.
  double Calculate(const IndexedPeak& peak, const std::vector<double>& p,
                   std::vector<double>& derivatives) const {
    const std::vector<double> lengths = Lengths(p);
    const double q = InverseDSquared(peak.reflection.terms, lengths);
    const double s = 0.5 * wavelength * std::sqrt(q);
    if (!(q > 0.0) || !(s < 1.0)) return kNaN;
    const double theta = std::asin(s);
    const double cosTheta = std::cos(theta);
    derivatives.assign(Count(), 0.0);
    // d(2θ)/dQ = λ / (2·cos θ·√Q) radians.
    const double byQ = wavelength / (2.0 * cosTheta * std::sqrt(q)) * kDegreesPerRadian;
    for (int j = 0; j < cellCount; ++j) {
      const double length = lengths[j];
      derivatives[j] = byQ * (-2.0 * peak.reflection.terms[j] / (length * length * length));
    }
    const double radius = options.radiusMm;
    const double displacementFactor =
        radius > 0.0 ? -2.0 * cosTheta / radius * kDegreesPerRadian : 0.0;
    if (options.zero) derivatives[ZeroIndex()] = 1.0;
    if (options.displacement) derivatives[DisplacementIndex()] = displacementFactor;
    return 2.0 * theta * kDegreesPerRadian + Zero(p) + Displacement(p) * displacementFactor;
  }
};

std::string Refusal(const char* text) { return Translated(text); }

LatticeRefinementResult Refused(const char* text) {
  LatticeRefinementResult r;
  r.refusal = Refusal(text);
  return r;
}

// One Gauss–Newton step: the linear fit of the residuals to the derivatives.
std::optional<LinearFit> Step(const Model& model, const std::vector<IndexedPeak>& peaks,
                              const std::vector<double>& p) {
  Matrix rows;
  std::vector<double> y, sigma;
  std::vector<double> derivatives;
  for (const IndexedPeak& peak : peaks) {
    const double calculated = model.Calculate(peak, p, derivatives);
    if (!std::isfinite(calculated)) return std::nullopt;
    rows.push_back(derivatives);
    y.push_back(peak.twoTheta - calculated);
    sigma.push_back(peak.twoThetaError);
  }
  return FitWeightedLinear(rows, y, sigma);
}

LatticeRefinement Describe(const Model& model, const std::vector<IndexedPeak>& peaks,
                           const std::vector<double>& p, const LinearFit& last) {
  LatticeRefinement r;
  const int n = static_cast<int>(peaks.size());
  const int count = model.Count();
  std::vector<double> derivatives;
  for (const IndexedPeak& peak : peaks) {
    const double calculated = model.Calculate(peak, p, derivatives);
    const double residual = peak.twoTheta - calculated;
    r.chisq += (residual / peak.twoThetaError) * (residual / peak.twoThetaError);
    r.residuals.push_back(
        {peak.peak, ReflectionLabel(peak.reflection), peak.twoTheta, calculated, residual});
  }
  r.reducedChisq = n > count ? r.chisq / (n - count) : kNaN;
  const double scale = ScatterFactor(r.chisq, n, count);
  std::vector<double> errors(count);
  for (int j = 0; j < count; ++j) errors[j] = std::sqrt(last.covariance[j][j] * scale);
  r.cell = WithCellParameters(model.start, model.Lengths(p));
  r.cellErrors.assign(errors.begin(), errors.begin() + model.cellCount);
  static const char* const kLengthNames[3][3] = {{"a"}, {"a", "c"}, {"a", "b", "c"}};
  const int row = model.start.system == CrystalSystem::kOrthorhombic ? 2 : model.cellCount - 1;
  for (int j = 0; j < model.cellCount; ++j) r.names.push_back(kLengthNames[row][j]);
  r.zero = model.Zero(p);
  r.zeroError = model.options.zero ? errors[model.ZeroIndex()] : kNaN;
  r.displacementMm = model.Displacement(p);
  r.displacementError = model.options.displacement ? errors[model.DisplacementIndex()] : kNaN;
  if (model.options.zero) r.names.push_back("zero");
  if (model.options.displacement) r.names.push_back("displacement");
  r.correlation.assign(count, std::vector<double>(count, 0.0));
  for (int i = 0; i < count; ++i) {
    for (int j = 0; j < count; ++j) {
      r.correlation[i][j] =
          last.covariance[i][j] / std::sqrt(last.covariance[i][i] * last.covariance[j][j]);
    }
  }
  return r;
}

}  // namespace

double PositionCorrection::ShiftAt(double twoTheta) const {
  const double cosTheta = std::cos(0.5 * twoTheta / kDegreesPerRadian);
  const double displacement =
      radiusMm > 0.0 ? -2.0 * displacementMm * cosTheta / radiusMm * kDegreesPerRadian : 0.0;
  return zero + displacement;
}

double PositionCorrection::ShiftSlopeAt(double twoTheta) const {
  return radiusMm > 0.0 ? displacementMm / radiusMm * std::sin(0.5 * twoTheta / kDegreesPerRadian)
                        : 0.0;
}

LatticeRefinementResult RefineLattice(const UnitCell& start, const std::vector<IndexedPeak>& peaks,
                                      double wavelength, const RefinementOptions& options) {
  if (!(wavelength > 0.0)) {
    return Refused(QT_TRANSLATE_NOOP("tav", "波長が不明のため、格子定数は精密化できません"));
  }
  if (options.displacement && !(options.radiusMm > 0.0)) {
    return Refused(QT_TRANSLATE_NOOP(
        "tav", "ゴニオメータ半径が設定されていないため、試料変位は精密化できません"));
  }
  const Model model{start, wavelength, options, CellParameterCount(start.system)};
  if (static_cast<int>(peaks.size()) < model.Count()) {
    return Refused(QT_TRANSLATE_NOOP(
        "tav",
        "指数の付いたピークが精密化するパラメータの数より少ないため、格子定数は精密化できません"));
  }
  std::vector<double> p = CellParameters(start);
  p.resize(model.Count(), 0.0);
  for (int step = 0; step < kMaxSteps; ++step) {
    const std::optional<LinearFit> fit = Step(model, peaks, p);
    if (!fit) {
      return Refused(QT_TRANSLATE_NOOP(
          "tav", "ピークからパラメータが定まらない（特異な）ため、格子定数は精密化できません"));
    }
    bool small = true;
    for (int j = 0; j < model.Count(); ++j) {
      p[j] += fit->parameters[j];
      if (std::fabs(fit->parameters[j]) > kConvergence * std::sqrt(fit->covariance[j][j]))
        small = false;
    }
    if (small) {
      // The covariance at the solution: one more linearisation there.
      const std::optional<LinearFit> final = Step(model, peaks, p);
      if (!final) break;
      LatticeRefinementResult r;
      r.refinement = Describe(model, peaks, p, *final);
      return r;
    }
  }
  return Refused(QT_TRANSLATE_NOOP("tav", "精密化が収束しないため、格子定数は求められません"));
}
