#include "python/FitKeywords.h"

#include <cmath>
#include <limits>
#include <string>

#include "fit/Correlations.h"
#include "view/DialogLimits.h"

namespace py = pybind11;

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// What a reader needs besides its value.
struct KeywordContext {
  const char* name;
  int peakCount;
};

using KeywordReader = void (*)(const py::handle& value, FitProblem& problem,
                               const KeywordContext& context);

struct FitKeyword {
  const char* name;
  KeywordReader read;
};

[[noreturn]] void Refuse(const KeywordContext& c, const std::string& what) {
  throw py::value_error(std::string(c.name) + ": " + what);
}

double NumberOf(const py::handle& value, const KeywordContext& c) {
  if (py::isinstance<py::bool_>(value) || py::isinstance<py::str>(value) ||
      PyNumber_Check(value.ptr()) == 0) {
    throw py::type_error(std::string(c.name) + ": a number is needed, not " +
                         std::string(py::str(py::type::of(value).attr("__name__"))));
  }
  const double v = PyFloat_AsDouble(value.ptr());
  if (PyErr_Occurred() != nullptr) throw py::error_already_set();
  if (!std::isfinite(v)) Refuse(c, "not a finite number");
  return v;
}

bool FlagOf(const py::handle& value, const KeywordContext& c) {
  if (!py::isinstance<py::bool_>(value)) {
    throw py::type_error(std::string(c.name) + ": True or False is needed");
  }
  return value.cast<bool>();
}

std::string WordOf(const py::handle& value, const KeywordContext& c) {
  if (!py::isinstance<py::str>(value)) {
    throw py::type_error(std::string(c.name) + ": a string is needed");
  }
  return value.cast<std::string>();
}

int WholeNumberIn(const py::handle& value, const KeywordContext& c, int lo, int hi) {
  if (py::isinstance<py::bool_>(value) || PyIndex_Check(value.ptr()) == 0) {
    throw py::type_error(std::string(c.name) + ": a whole number is needed");
  }
  const long long v = py::int_(py::reinterpret_borrow<py::object>(value)).cast<long long>();
  if (v < lo || v > hi) {
    Refuse(c, "must be " + std::to_string(lo) + ".." + std::to_string(hi) + ", not " +
                  std::to_string(v));
  }
  return static_cast<int>(v);
}

// A whole-number member of the problem within lo..hi.
template <auto Member, int Lo, int Hi>
void ReadWholeNumber(const py::handle& value, FitProblem& problem, const KeywordContext& c) {
  problem.*Member = WholeNumberIn(value, c, Lo, Hi);
}

void ReadShape(const py::handle& value, FitProblem& problem, const KeywordContext& c) {
  const std::string name = WordOf(value, c);
  const PeakShape* shape = FindPeakShapeNamed(name);
  if (shape == nullptr) Refuse(c, "gauss, lorentz, pvoigt, pearson7 or spvoigt, not " + name);
  problem.shape = shape->function;
}

void ReadTolerance(const py::handle& value, FitProblem& problem, const KeywordContext& c) {
  const double tol = NumberOf(value, c);
  if (!(tol >= limits::kToleranceMin && tol <= limits::kToleranceMax)) {
    Refuse(c, "must be 0.00001..1, not " + std::string(py::str(value)));
  }
  problem.tolerance = tol;
}

void ReadWeights(const py::handle& value, FitProblem& problem, const KeywordContext& c) {
  const std::string name = WordOf(value, c);
  if (name == "unit") {
    problem.weights = FitWeights::kUnit;
  } else if (name == "counts") {
    problem.weights = FitWeights::kCounts;
  } else if (name == "sigma") {
    problem.weights = FitWeights::kSigma;
  } else {
    Refuse(c, "unit, counts or sigma, not " + name);
  }
}

void ReadDoublet(const py::handle& value, FitProblem& problem, const KeywordContext& c) {
  problem.options.m_doublet = FlagOf(value, c);
}

void ReadDoubletRatio(const py::handle& value, FitProblem& problem, const KeywordContext& c) {
  if (value.is_none()) {
    problem.options.m_doubletRatio.reset();
    return;
  }
  const double ratio = NumberOf(value, c);
  if (!(ratio > 0)) Refuse(c, "must be positive");
  problem.options.m_doubletRatio = ratio;
}

void ReadInitialWidth(const py::handle& value, FitProblem& problem, const KeywordContext& c) {
  const std::string name = WordOf(value, c);
  if (name != "data" && name != "range") Refuse(c, "data or range, not " + name);
  problem.options.m_widthFromData = name == "data";
}

// The constraints' parameters: peak k's (from 1), every peak's ("all") or
// the background's, by the names the shape's report uses.
struct ConstraintTarget {
  bool background = false;
  int firstPeak = 0;
  int lastPeak = 0;
  int index = 0;
};

ConstraintTarget TargetOf(const py::dict& entry, const FitProblem& problem,
                          const KeywordContext& c) {
  if (!entry.contains("peak") || !entry.contains("name")) {
    Refuse(c, "each constraint needs \"peak\" and \"name\"");
  }
  const py::handle peak = entry["peak"];
  const std::string name = WordOf(entry["name"], c);
  const int per = PeakParameterCount(problem.shape);
  // The names of one peak's parameters and of the background's, in order.
  const std::vector<std::string> names = ParameterNames(
      problem.shape, per + BackgroundTermCount(problem.backgroundOrder), problem.backgroundOrder);
  ConstraintTarget target;
  if (py::isinstance<py::str>(peak)) {
    const std::string which = peak.cast<std::string>();
    if (which == "background") {
      target.background = true;
      for (std::size_t i = per; i < names.size(); ++i) {
        if (names[i] == name) {
          target.index = static_cast<int>(i) - per;
          return target;
        }
      }
      Refuse(c, "the background has no parameter " + name);
    }
    if (which != "all") Refuse(c, "peak is a number, \"all\" or \"background\", not " + which);
    target.firstPeak = 1;
    target.lastPeak = std::max(c.peakCount, 1);
  } else {
    target.firstPeak = target.lastPeak = WholeNumberIn(peak, c, 1, std::max(c.peakCount, 1));
  }
  for (int m = 0; m < per; ++m) {
    if (names[static_cast<std::size_t>(m)] == name + "_1") {
      target.index = m;
      return target;
    }
  }
  Refuse(c, "the shape has no parameter " + name);
}

double BoundOf(const py::dict& entry, const char* key, double none, const KeywordContext& c) {
  if (!entry.contains(key) || entry[key].is_none()) return none;
  return NumberOf(entry[key], c);
}

void ReadParameterConstraint(const py::handle& item, FitProblem& problem, const KeywordContext& c) {
  if (!py::isinstance<py::dict>(item)) throw py::type_error(std::string(c.name) + ": a dict each");
  const py::dict entry = py::reinterpret_borrow<py::dict>(item);
  for (const auto& key : entry) {
    const std::string k = py::str(key.first);
    if (k != "peak" && k != "name" && k != "fixed" && k != "lower" && k != "upper") {
      Refuse(c, "unknown key " + k + " (peak, name, fixed, lower, upper)");
    }
  }
  const ConstraintTarget target = TargetOf(entry, problem, c);
  ParameterConstraint constraint;
  if (entry.contains("fixed")) constraint.fixed = FlagOf(entry["fixed"], c);
  constraint.lower = BoundOf(entry, "lower", -kInfinity, c);
  constraint.upper = BoundOf(entry, "upper", kInfinity, c);
  if (!(constraint.lower <= constraint.upper)) Refuse(c, "lower is above upper");
  FitConstraints& constraints = problem.constraints;
  if (target.background) {
    constraints.background[static_cast<std::size_t>(target.index)] = constraint;
    return;
  }
  for (int k = target.firstPeak; k <= target.lastPeak; ++k) {
    constraints.Peak(k, target.index) = constraint;
  }
}

void ReadParameterConstraints(const py::handle& list, FitProblem& problem,
                              const KeywordContext& c) {
  if (!py::isinstance<py::list>(list) && !py::isinstance<py::tuple>(list)) {
    throw py::type_error(std::string(c.name) + ": a list of dicts, or a dict");
  }
  for (const py::handle item : list) ReadParameterConstraint(item, problem, c);
}

// A list of parameter constraints, or a dict as tav-cli's state has them:
// "parameters" (that list), "share_width", "share_shape", "bounds_default".
void ReadConstraints(const py::handle& value, FitProblem& problem, const KeywordContext& c) {
  if (value.is_none()) return;
  if (!py::isinstance<py::dict>(value)) return ReadParameterConstraints(value, problem, c);
  for (const auto& item : py::reinterpret_borrow<py::dict>(value)) {
    const std::string key = py::str(item.first);
    if (key == "parameters") {
      ReadParameterConstraints(item.second, problem, c);
    } else if (key == "share_width") {
      problem.constraints.shareWidth = FlagOf(item.second, c);
    } else if (key == "share_shape") {
      problem.constraints.shareShape = FlagOf(item.second, c);
    } else if (key == "bounds_default") {
      problem.constraints.physicalBounds = FlagOf(item.second, c);
    } else {
      Refuse(c, "unknown key " + key + " (parameters, share_width, share_shape, bounds_default)");
    }
  }
}

// Read in this order; constraints after the shape and the background order,
// whose names they use.
constexpr FitKeyword kFitKeywords[] = {
    {"shape", ReadShape},
    {"tolerance", ReadTolerance},
    {"weights", ReadWeights},
    {"doublet", ReadDoublet},
    {"doublet_ratio", ReadDoubletRatio},
    {"initial_width", ReadInitialWidth},
    {"max_peaks", ReadWholeNumber<&FitProblem::maxPeaks, kMaxPeaks, kPeakCapacity>},
    {"background_order",
     ReadWholeNumber<&FitProblem::backgroundOrder, kMinBackgroundOrder, kMaxBackgroundOrder>},
    {"constraints", ReadConstraints},
};

FitProblem DefaultFitProblem() {
  FitProblem problem;
  problem.shape = kPseudoVoigt;
  problem.options.m_widthFromData = true;
  problem.options.m_stepMessages = false;
  return problem;
}

}  // namespace

FitProblem FitProblemFromKeywords(const py::kwargs& keywords, int peakCount) {
  for (const auto& item : keywords) {
    const std::string name = py::str(item.first);
    bool known = false;
    for (const FitKeyword& keyword : kFitKeywords) known = known || name == keyword.name;
    if (!known) throw py::type_error("Fit() got an unexpected keyword argument '" + name + "'");
  }
  FitProblem problem = DefaultFitProblem();
  for (const FitKeyword& keyword : kFitKeywords) {
    if (keywords.contains(keyword.name)) {
      keyword.read(keywords[keyword.name], problem, KeywordContext{keyword.name, peakCount});
    }
  }
  if (peakCount > problem.maxPeaks) {
    throw py::value_error(std::to_string(peakCount) + " peaks need max_peaks of at least " +
                          std::to_string(peakCount));
  }
  return problem;
}

std::vector<const char*> FitKeywordNames() {
  std::vector<const char*> names;
  for (const FitKeyword& keyword : kFitKeywords) names.push_back(keyword.name);
  return names;
}

std::vector<PeakStart> PeakStartsFrom(const py::handle& peaks) {
  std::vector<PeakStart> starts;
  const KeywordContext c{"peaks", 0};
  if (peaks.is_none()) return starts;
  for (const py::handle item : peaks) {
    const py::sequence values = py::reinterpret_borrow<py::sequence>(item);
    if (!py::isinstance<py::sequence>(item) || (values.size() != 2 && values.size() != 3)) {
      throw py::type_error("peaks: each peak is (position, height) or (position, height, width)");
    }
    PeakStart start;
    start.position = NumberOf(values[0], c);
    start.height = NumberOf(values[1], c);
    if (values.size() == 3 && !values[2].is_none()) {
      start.width = NumberOf(values[2], c);
      if (!(*start.width > 0)) Refuse(c, "a width must be positive");
    }
    starts.push_back(start);
  }
  return starts;
}
