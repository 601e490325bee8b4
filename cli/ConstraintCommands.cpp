#include "cli/ConstraintCommands.h"

#include <optional>
#include <string>

#include "cli/ScriptArguments.h"
#include "cli/ScriptError.h"
#include "commands/Commands.h"
#include "view/TavView.h"

namespace {

// K NAME: a placed peak's number, all or background, and a parameter name
// of the view's shape (of the background for background).
ParameterRef ParameterOf(ScriptSession& s, const std::string& peak, const std::string& name,
                         const char* usage) {
  ParameterRef ref;
  if (peak == "background") {
    ref.peak = ParameterRef::kBackground;
  } else if (peak == "all") {
    ref.peak = ParameterRef::kAllPeaks;
  } else {
    const int placed = s.view.Peaks().m_nPeak;
    if (placed == 0) throw ScriptError("no peak is placed: " + peak);
    ref.peak = ParseIntIn(peak, 1, placed, "K");
  }
  const std::optional<int> index = ParameterIndexNamed(s.view, ref.peak, name);
  if (!index) throw ScriptError("unknown parameter: " + name + " (usage: " + usage + ")");
  ref.index = *index;
  return ref;
}

SharedParameter SharedOf(const std::string& word, const char* usage) {
  if (word == "width") return SharedParameter::kWidth;
  if (word == "shape") return SharedParameter::kShape;
  throw ScriptError(std::string("usage: ") + usage);
}

void Fixed(ScriptSession& s, const Args& a, bool fixed, const char* usage) {
  ExpectCount(a, 2, 2, usage);
  SetParameterFixed(s.view, ParameterOf(s, a[0], a[1], usage), fixed);
}

}  // namespace

void FixCommand(ScriptSession& s, const Args& a) { Fixed(s, a, true, "fix K NAME"); }

void FreeCommand(ScriptSession& s, const Args& a) { Fixed(s, a, false, "free K NAME"); }

void BoundCommand(ScriptSession& s, const Args& a) {
  constexpr const char* kUsage = "bound K NAME LO HI";
  ExpectCount(a, 4, 4, kUsage);
  const ParameterRef ref = ParameterOf(s, a[0], a[1], kUsage);
  const double lower = ParseReal(a[2]);
  const double upper = ParseReal(a[3]);
  if (!(lower <= upper)) throw ScriptError("LO must not exceed HI: " + a[2] + " " + a[3]);
  SetParameterBounds(s.view, ref, lower, upper);
}

void UnboundCommand(ScriptSession& s, const Args& a) {
  constexpr const char* kUsage = "unbound K NAME";
  ExpectCount(a, 2, 2, kUsage);
  ClearParameterBounds(s.view, ParameterOf(s, a[0], a[1], kUsage));
}

void BoundsCommand(ScriptSession& s, const Args& a) {
  constexpr const char* kUsage = "bounds default on|off";
  ExpectCount(a, 2, 2, kUsage);
  if (a[0] != "default") throw ScriptError(std::string("usage: ") + kUsage);
  SetPhysicalBounds(s.view, ParseSwitch(a[1], kUsage));
}

void ShareCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 1, "share width|shape");
  SetSharing(s.view, SharedOf(a[0], "share width|shape"), true);
}

void UnshareCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 1, "unshare width|shape");
  SetSharing(s.view, SharedOf(a[0], "unshare width|shape"), false);
}

void BackgroundOrderCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 1, "background-order N");
  SetBackgroundOrder(s.view, ParseIntIn(a[0], kMinBackgroundOrder, kMaxBackgroundOrder, "N"));
}

void MaxPeaksCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 1, "max-peaks N");
  SetMaxPeaks(s.view, ParseIntIn(a[0], kMaxPeaks, kPeakCapacity, "N"));
}
