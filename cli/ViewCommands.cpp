#include "cli/ViewCommands.h"

#include "cli/PictureSource.h"
#include "cli/ScriptError.h"
#include "commands/Commands.h"
#include "history/UndoHistory.h"
#include "view/TavView.h"

namespace {

constexpr const char* kViewUsage =
    "view scale linear|sqrt|log | view ticks|grid|residuals|clip|titles|legend on|off | "
    "view size W H | view style classic|modern";
constexpr int kMaxSide = 20000;
constexpr int kMaxWheelSteps = 100;

IntensityScale ParseScale(const std::string& word) {
  if (word == "linear") return IntensityScale::kLinear;
  if (word == "sqrt") return IntensityScale::kSqrt;
  if (word == "log") return IntensityScale::kLog;
  throw ScriptError(std::string("usage: ") + kViewUsage);
}

PlotStyle ParseStyle(const std::string& word) {
  if (word == "classic") return PlotStyle::kClassic;
  if (word == "modern") return PlotStyle::kModern;
  throw ScriptError(std::string("usage: ") + kViewUsage);
}

// The option a "view NAME on|off" sets, or nullptr for another name.
bool* SwitchOf(PlotOptions& options, const std::string& name) {
  if (name == "ticks") return &options.ticks;
  if (name == "grid") return &options.grid;
  if (name == "residuals") return &options.residuals;
  if (name == "clip") return &options.clip;
  if (name == "titles") return &options.titles;
  if (name == "legend") return &options.legend;
  return nullptr;
}

}  // namespace

void ViewCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 2, 3, kViewUsage);
  PlotOptions options = s.view.Plot();
  if (a[0] == "scale" && a.size() == 2) {
    options.scale = ParseScale(a[1]);
  } else if (a[0] == "style" && a.size() == 2) {
    options = WithStyle(options, ParseStyle(a[1]));
  } else if (a[0] == "size" && a.size() == 3) {
    const int w = ParseIntIn(a[1], 0, kMaxSide, "W");
    const int h = ParseIntIn(a[2], 0, kMaxSide, "H");
    if ((w == 0) != (h == 0)) throw ScriptError("W and H must both be 0 or both positive");
    options.size = PlotSize{w, h};
  } else if (bool* option = SwitchOf(options, a[0]); option != nullptr && a.size() == 2) {
    *option = ParseSwitch(a[1], kViewUsage);
  } else {
    throw ScriptError(std::string("usage: ") + kViewUsage);
  }
  s.view.SetPlotOptions(options);
  s.view.Repaint();
}

void WheelCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 3, 3, "wheel PX PY STEPS");
  const int x = ParsePixel(a[0]), y = ParsePixel(a[1]);
  const int steps = ParseIntIn(a[2], -kMaxWheelSteps, kMaxWheelSteps, "STEPS");
  s.view.ZoomAbout(x, y, steps);
}

void PanCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 2, 2, "pan DX DY");
  s.view.PanBy(ParsePixel(a[0]), ParsePixel(a[1]));
}

void UndoCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 0, 0, "undo");
  if (!s.history.Undo(s.view)) return ReportDisabled(s, "undo");
  s.view.Repaint();
}

void RedoCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 0, 0, "redo");
  if (!s.history.Redo(s.view)) return ReportDisabled(s, "redo");
  s.view.Repaint();
}

void StepMessagesCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 1, "step-messages on|off");
  SetStepMessages(s.view, ParseSwitch(a[0], "step-messages on|off"));
}

void FitMessageCommand(ScriptSession& s, const Args& a) {
  constexpr const char* kUsage = "fit-message classic|detailed";
  ExpectCount(a, 1, 1, kUsage);
  if (a[0] != "classic" && a[0] != "detailed") throw ScriptError(std::string("usage: ") + kUsage);
  SetDetailedFitMessage(s.view, a[0] == "detailed");
}

void ExportPlotCommand(ScriptSession& s, const Args& a) {
  if (a.size() != 1 && a.size() != 3) throw ScriptError("usage: export-plot PATH [W H]");
  int w = 0, h = 0;
  DefaultExportSize(s.view, w, h);
  if (a.size() == 3) {
    w = ParseIntIn(a[1], 1, kMaxSide, "W");
    h = ParseIntIn(a[2], 1, kMaxSide, "H");
  }
  if (RefusesWildcardName(s, a[0])) return;
  std::string error;
  const PictureWriters* writers = ThePictureWriters(error);
  if (writers == nullptr || !writers->exportPlot(s.view, a[0], w, h, error)) {
    throw ScriptError("cannot write " + a[0] + ": " + error);
  }
}

void SubtractBackgroundCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 0, 0, "subtract-background");
  if (!IsBackSubtractEnabled(s.view)) return ReportDisabled(s, "subtract-background");
  OnBackSubtract(s.view);
}
