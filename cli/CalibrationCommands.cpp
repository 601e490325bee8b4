#include "cli/CalibrationCommands.h"

#include <climits>
#include <string>
#include <vector>

#include "cli/ScriptError.h"
#include "commands/Calibration.h"
#include "view/CalibrationFormat.h"
#include "view/TavView.h"

namespace {

constexpr const char* kCalibrateUsage = "calibrate add|remove I|clear|list|fit";
constexpr const char* kInstrumentUsage = "instrument save PATH | load PATH | use on|off";
constexpr const char* kLatticeUsage =
    "lattice cubic A [P|I|F] | tetragonal A C [P|I] | hexagonal A C | "
    "orthorhombic A B C [P|I|F|C] | refine [zero] [displacement] | correct on|off";
constexpr const char* kExclusionUsage = "williamson-hall exclude|include K...";

[[noreturn]] void Usage(const char* usage) { throw ScriptError(std::string("usage: ") + usage); }

double PositiveLength(const std::string& text, const char* what) {
  const double v = ParseReal(text);
  if (!(v > 0)) throw ScriptError(std::string(what) + " must be positive: " + text);
  return v;
}

Centring CentringOf(const std::string& word) {
  if (word == "P") return Centring::kP;
  if (word == "I") return Centring::kI;
  if (word == "F") return Centring::kF;
  if (word == "C") return Centring::kC;
  Usage(kLatticeUsage);
}

// The cell of "lattice SYSTEM LENGTHS... [CENTRING]".
UnitCell CellOf(const Args& a) {
  UnitCell cell;
  std::size_t lengths = 0;
  if (a[0] == "cubic") {
    cell.system = CrystalSystem::kCubic;
    lengths = 1;
  } else if (a[0] == "tetragonal") {
    cell.system = CrystalSystem::kTetragonal;
    lengths = 2;
  } else if (a[0] == "hexagonal") {
    cell.system = CrystalSystem::kHexagonal;
    lengths = 2;
  } else if (a[0] == "orthorhombic") {
    cell.system = CrystalSystem::kOrthorhombic;
    lengths = 3;
  } else {
    Usage(kLatticeUsage);
  }
  if (a.size() != lengths + 1 && a.size() != lengths + 2) Usage(kLatticeUsage);
  static const char* const kNames[] = {"A", "B", "C"};
  std::vector<double> values;
  for (std::size_t j = 0; j < lengths; ++j) {
    const char* name = lengths == 2 && j == 1 ? "C" : kNames[j];
    values.push_back(PositiveLength(a[1 + j], name));
  }
  cell = WithCellParameters(cell, values);
  if (a.size() == lengths + 2) cell.centring = CentringOf(a.back());
  if (!AllowsCentring(cell.system, cell.centring)) Usage(kLatticeUsage);
  return cell;
}

std::vector<UnindexedPeak> Unindexed(const CTavView& view) {
  std::vector<UnindexedPeak> out;
  for (const IndexedPosition& p : IndexPeaks(view)) {
    if (p.assignment.kind == HklAssignment::Kind::kAssigned) continue;
    UnindexedPeak u{p.peak, p.twoTheta, {}};
    for (const Reflection& r : p.assignment.candidates) u.candidates.push_back(ReflectionLabel(r));
    out.push_back(u);
  }
  return out;
}

void Refine(ScriptSession& s, const Args& a) {
  bool zero = false, displacement = false;
  for (std::size_t i = 1; i < a.size(); ++i) {
    if (a[i] == "zero") {
      zero = true;
    } else if (a[i] == "displacement") {
      displacement = true;
    } else {
      Usage(kLatticeUsage);
    }
  }
  const std::optional<LatticeRefinement> r = RefinePhase(s.view, zero, displacement);
  if (r) s.out << FormatLatticeRefinementJson(*r, Unindexed(s.view)) << '\n';
}

}  // namespace

void CalibrateCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 2, kCalibrateUsage);
  const std::string& verb = a[0];
  if (verb == "remove" && a.size() == 2) {
    RemoveCalibrationPeak(s.view, ParseIntIn(a[1], 1, INT_MAX, "I"));
    return;
  }
  if (a.size() != 1) Usage(kCalibrateUsage);
  if (verb == "add") {
    if (!s.view.IsReportEnabled()) return ReportDisabled(s, "calibrate");
    AddFitToCalibration(s.view);
  } else if (verb == "clear") {
    ClearCalibration(s.view);
  } else if (verb == "list") {
    s.out << FormatCalibrationSetJson(s.view.Calibration().peaks) << '\n';
  } else if (verb == "fit") {
    if (const std::optional<ResolutionFunction> f = FitInstrumentFunction(s.view))
      s.out << FormatResolutionJson(*f) << '\n';
  } else {
    Usage(kCalibrateUsage);
  }
}

void InstrumentCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 2, 2, kInstrumentUsage);
  if (a[0] == "save") {
    SaveInstrumentFunction(s.view, a[1]);
  } else if (a[0] == "load") {
    LoadInstrumentFunction(s.view, a[1]);
  } else if (a[0] == "use") {
    SetInstrumentUse(s.view, ParseSwitch(a[1], kInstrumentUsage));
  } else {
    Usage(kInstrumentUsage);
  }
}

void GoniometerRadiusCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 1, "goniometer-radius MM|none");
  if (a[0] == "none") return SetGoniometerRadius(s.view, std::nullopt);
  SetGoniometerRadius(s.view, PositiveLength(a[0], "MM"));
}

void LatticeCommand(ScriptSession& s, const Args& a) {
  if (a.empty()) Usage(kLatticeUsage);
  if (a[0] == "refine") return Refine(s, a);
  if (a[0] == "correct") {
    ExpectCount(a, 2, 2, kLatticeUsage);
    SetPositionCorrection(s.view, ParseSwitch(a[1], kLatticeUsage));
    return;
  }
  SetPhase(s.view, CellOf(a));
}

void WilliamsonHallExclusionCommand(ScriptSession& s, const Args& a) {
  if (a.size() < 2) Usage(kExclusionUsage);
  std::vector<int> peaks;
  for (std::size_t i = 1; i < a.size(); ++i) peaks.push_back(ParseIntIn(a[i], 1, INT_MAX, "K"));
  SetWilliamsonHallExcluded(s.view, peaks, a[0] == "exclude");
}
