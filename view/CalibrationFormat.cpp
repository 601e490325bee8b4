#include "view/CalibrationFormat.h"

#include <cmath>
#include <limits>

#include "fit/PeakShapes.h"
#include "view/PeakReportFormat.h"

namespace {

// "{" and s: appended rather than written "{" + s, which GCC 12 takes at -O3
// for an overlapping copy (a false -Wrestrict).
std::string Braced(const std::string& s) {
  std::string out("{");
  out += s;
  return out;
}

std::string Num(double value) { return FormatJsonNumber(value); }

std::string Num(const std::optional<double>& value) {
  return value ? FormatJsonNumber(*value) : "null";
}

std::string Str(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + '"';
}

std::string Key(const char* name) { return std::string("\"") + name + "\": "; }

std::string ShapeName(int shape) {
  const PeakShape* s = FindPeakShape(shape);
  return s != nullptr ? Str(s->name) : "null";
}

double Sqrt(double variance) {
  return variance >= 0.0 ? std::sqrt(variance) : std::numeric_limits<double>::quiet_NaN();
}

std::string Row(const std::vector<double>& values) {
  std::string out = "[";
  for (std::size_t i = 0; i < values.size(); ++i) out += (i ? ", " : "") + Num(values[i]);
  return out + "]";
}

std::string Matrix3(const std::array<std::array<double, 3>, 3>& m) {
  std::string out = "[";
  for (std::size_t i = 0; i < 3; ++i) {
    out += (i ? ", " : "") + Row({m[i][0], m[i][1], m[i][2]});
  }
  return out + "]";
}

std::string MixingJson(const std::optional<MixingLine>& m) {
  if (!m) return "null";
  return Braced(Key("shape")) + ShapeName(m->shape) + ", " + Key("form") +
         Str("intercept + slope * 2theta") + ", " + Key("intercept") + Num(m->intercept) + ", " +
         Key("slope") + Num(m->slope) + ", " + Key("intercept_err") +
         Num(Sqrt(m->covariance[0][0])) + ", " + Key("slope_err") + Num(Sqrt(m->covariance[1][1])) +
         "}";
}

}  // namespace

std::string FormatCalibrationSetJson(const std::vector<CalibrationPeak>& peaks) {
  std::string out = Braced(Key("peaks")) + "[";
  int index = 0;
  for (const CalibrationPeak& p : peaks) {
    out += index ? ", {" : "{";
    out += Key("index") + std::to_string(++index) + ", ";
    out += Key("position") + Num(p.position) + ", " + Key("position_err") + Num(p.positionError) +
           ", ";
    out += Key("fwhm") + Num(p.fwhm) + ", " + Key("fwhm_err") + Num(p.fwhmError) + ", ";
    out += Key("shape") + ShapeName(p.shape) + ", ";
    out += Key("shape_param") + Num(p.shapeParameter) + ", " + Key("shape_param_err") +
           Num(p.shapeParameterError) + "}";
  }
  return out + "]}";
}

std::string FormatResolutionJson(const ResolutionFunction& f) {
  std::string out = "{";
  out += Key("U") + Num(f.u) + ", " + Key("V") + Num(f.v) + ", " + Key("W") + Num(f.w) + ", ";
  out += Key("U_err") + Num(Sqrt(f.covariance[0][0])) + ", " + Key("V_err") +
         Num(Sqrt(f.covariance[1][1])) + ", " + Key("W_err") + Num(Sqrt(f.covariance[2][2])) + ", ";
  out += Key("covariance") + Matrix3(f.covariance) + ", ";
  out += Key("range") + Row({f.minTwoTheta, f.maxTwoTheta}) + ", ";
  out += Key("peaks") + std::to_string(f.peaks) + ", ";
  out += Key("reduced_chisq") + Num(f.reducedChisq) + ", ";
  out += Key("mixing") + MixingJson(f.mixing) + "}";
  return out;
}

std::string FormatLatticeRefinementJson(const LatticeRefinement& r,
                                        const std::vector<UnindexedPeak>& unindexed) {
  std::string out = Braced(Key("system")) + Str(SystemName(r.cell.system)) + ", " +
                    Key("centring") + Str(CentringName(r.cell.centring)) + ", ";
  const std::vector<double> lengths = CellParameters(r.cell);
  for (std::size_t j = 0; j < lengths.size(); ++j) {
    const std::string name = r.names[j];
    out += Key(name.c_str()) + Num(lengths[j]) + ", " + Key((name + "_err").c_str()) +
           Num(r.cellErrors[j]) + ", ";
  }
  out += Key("zero") + Num(r.zero) + ", " + Key("zero_err") + Num(r.zeroError) + ", ";
  out += Key("displacement_mm") + Num(r.displacementMm) + ", " + Key("displacement_mm_err") +
         Num(r.displacementError) + ", ";
  out += Key("parameters") + "[";
  for (std::size_t j = 0; j < r.names.size(); ++j) out += (j ? ", " : "") + Str(r.names[j]);
  out += "], " + Key("correlation") + "[";
  for (std::size_t i = 0; i < r.correlation.size(); ++i) {
    out += (i ? ", " : "") + Row(r.correlation[i]);
  }
  out += "], " + Key("peaks") + std::to_string(r.residuals.size()) + ", ";
  out += Key("chisq") + Num(r.chisq) + ", " + Key("reduced_chisq") + Num(r.reducedChisq) + ", ";
  out += Key("reflections") + "[";
  for (std::size_t i = 0; i < r.residuals.size(); ++i) {
    const ReflectionResidual& x = r.residuals[i];
    out += (i ? ", {" : "{") + Key("peak") + std::to_string(x.peak) + ", " + Key("hkl") +
           Str(x.hkl) + ", " + Key("observed") + Num(x.observed) + ", " + Key("calculated") +
           Num(x.calculated) + ", " + Key("residual") + Num(x.residual) + "}";
  }
  std::string ambiguous, none;
  for (const UnindexedPeak& p : unindexed) {
    std::string item =
        Braced(Key("peak")) + std::to_string(p.peak) + ", " + Key("two_theta") + Num(p.twoTheta);
    if (p.candidates.empty()) {
      none += (none.empty() ? "" : ", ") + item + "}";
      continue;
    }
    item += ", " + Key("hkl") + "[";
    for (std::size_t j = 0; j < p.candidates.size(); ++j)
      item += (j ? ", " : "") + Str(p.candidates[j]);
    ambiguous += (ambiguous.empty() ? "" : ", ") + item + "]}";
  }
  out += "], " + Key("ambiguous") + "[" + ambiguous + "], " + Key("unindexed") + "[" + none + "]}";
  return out;
}
