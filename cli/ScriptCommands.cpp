#include "cli/ScriptCommands.h"

#include <cstdio>
#include <iterator>
#include <optional>

#include "cli/CalibrationCommands.h"
#include "cli/ConstraintCommands.h"
#include "cli/InfoJson.h"
#include "cli/PictureSource.h"
#include "cli/ScriptError.h"
#include "cli/SeriesCommands.h"
#include "cli/SessionCommands.h"
#include "cli/StateJson.h"
#include "cli/ViewCommands.h"
#include "commands/Commands.h"
#include "commands/PeakAnalysis.h"
#include "commands/SaveThroughDialog.h"
#include "view/AnsweringHost.h"
#include "view/PeakReportFormat.h"
#include "view/TavView.h"
#include "view/WilliamsonHallFormat.h"

namespace {

constexpr const char* kOpenUsage = "open rigaku|xy|none PATH [SKIP LAST] | open auto PATH [SCAN]";
constexpr const char* kKeyUsage = "key W|N|LEFT|RIGHT|OTHER";
constexpr const char* kConditionsUsage =
    "conditions gauss|lorentz|pvoigt|pearson7|spvoigt|none TOL";
constexpr const char* kDoubletUsage = "doublet on [RATIO] | doublet off";
constexpr const char* kInitialWidthUsage = "initial-width data|range";
// A key the view does not handle ('A').
constexpr unsigned kOtherKey = 0x41;
constexpr int kRenderMaxSide = 20000;

void Open(ScriptSession& s, const Args& a) {
  ExpectCount(a, 2, 4, kOpenUsage);
  const std::string& type = a[0];
  if (type == "rigaku" && a.size() == 2) {
    s.host.fileType = FileType::Rigaku;
  } else if (type == "xy" && (a.size() == 2 || a.size() == 4)) {
    s.host.fileType = FileType::Xy;
    if (a.size() == 4) {
      ColumnSettings settings;
      settings.skipLines = ParseIntIn(a[2], limits::kSkipLinesMin, limits::kSkipLinesMax, "SKIP");
      settings.lastLine = ParseIntIn(a[3], limits::kLastLineMin, limits::kLastLineMax, "LAST");
      s.host.column = settings;
      s.host.columnKeepsPresetColumns = true;
    }
  } else if (type == "auto" && a.size() <= 3) {
    s.host.fileType = FileType::Auto;
    if (a.size() == 3) s.host.scan = ParseIntIn(a[2], 1, INT_MAX, "SCAN");
  } else if (type == "none" && a.size() == 2) {
    s.host.fileType = FileType::None;
  } else {
    throw ScriptError(std::string("usage: ") + kOpenUsage);
  }
  s.host.openPath = a[1];
  OnFileOpen(s.view);
}

void OpenCancel(ScriptSession& s, const Args& a) {
  ExpectCount(a, 0, 0, "open-cancel");
  s.host.fileType = FileType::Rigaku;
  OnFileOpen(s.view);
}

void RangeSet(ScriptSession& s, const Args& a) {
  ExpectCount(a, 0, 0, "range-set");
  s.view.OnRangeSet();
}

void RangeReset(ScriptSession& s, const Args& a) {
  ExpectCount(a, 0, 0, "range-reset");
  s.view.OnRangeReset();
}

void Range(ScriptSession& s, const Args& a) {
  ExpectCount(a, 4, 4, "range XMIN XMAX YMIN YMAX");
  s.host.range = RangeValues{ParseReal(a[0]), ParseReal(a[1]), ParseReal(a[2]), ParseReal(a[3])};
  s.view.OnRangeInput();
}

void Drag(ScriptSession& s, const Args& a) {
  ExpectCount(a, 4, 4, "drag PX0 PY0 PX1 PY1");
  const int x0 = ParsePixel(a[0]), y0 = ParsePixel(a[1]);
  const int x1 = ParsePixel(a[2]), y1 = ParsePixel(a[3]);
  s.view.OnLButtonDown(x0, y0);
  s.view.OnMouseMove(x1, y1);
  s.view.OnLButtonUp(x1, y1);
}

void PeakMode(ScriptSession& s, const Args& a) {
  ExpectCount(a, 0, 0, "peak-mode");
  s.view.OnPeakPosition();
}

void DoubleClick(ScriptSession& s, const Args& a) {
  ExpectCount(a, 2, 2, "dblclick PX PY");
  const int x = ParsePixel(a[0]), y = ParsePixel(a[1]);
  s.view.OnLButtonDblClk(x, y);
  s.view.OnLButtonUp(x, y);
}

void Peak(ScriptSession& s, const Args& a) {
  ExpectCount(a, 2, 2, "peak X Y");
  const double x = ParseReal(a[0]), y = ParseReal(a[1]);
  s.view.AppendPeakAt(x, y);
  s.view.OnLButtonUp(s.view.XToPixel(x), s.view.YToPixel(y));
}

void RightClick(ScriptSession& s, const Args& a) {
  ExpectCount(a, 0, 0, "rclick");
  s.view.OnRButtonDown(0, 0);
}

void RemovePeak(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 1, "remove-peak K");
  const int placed = s.view.Peaks().m_nPeak;
  if (placed == 0) throw ScriptError("no peak to remove: " + a[0]);
  OnRemovePeak(s.view, ParseIntIn(a[0], 1, placed, "K"));
}

unsigned KeyCode(const std::string& name) {
  if (name == "W") return keys::kW;
  if (name == "N") return keys::kN;
  if (name == "LEFT") return keys::kLeft;
  if (name == "RIGHT") return keys::kRight;
  if (name == "OTHER") return kOtherKey;
  throw ScriptError(std::string("usage: ") + kKeyUsage);
}

void Key(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 1, kKeyUsage);
  s.view.OnKeyDown(KeyCode(a[0]));
}

int ShapeOf(const std::string& name) {
  if (const PeakShape* shape = FindPeakShapeNamed(name)) return shape->function;
  if (name == "none") return kNoShape;
  throw ScriptError(std::string("usage: ") + kConditionsUsage);
}

void Conditions(ScriptSession& s, const Args& a) {
  ExpectCount(a, 2, 2, kConditionsUsage);
  const int shape = ShapeOf(a[0]);
  const double tol = ParseReal(a[1]);
  if (!(tol >= limits::kToleranceMin && tol <= limits::kToleranceMax)) {
    throw ScriptError("TOL must be 0.00001..1: " + a[1]);
  }
  // The dialog's options stay as they are.
  const FitOptions& options = s.view.Options();
  s.host.fitCondition = FitConditions{tol,
                                      shape,
                                      options.m_widthFromData,
                                      options.m_doublet,
                                      options.m_stepMessages,
                                      s.view.Problem().weights,
                                      s.view.Problem().constraints.physicalBounds,
                                      s.view.Problem().maxPeaks,
                                      s.view.BackgroundOrder()};
  OnLsqCondition(s.view);
}

void InitialWidth(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 1, kInitialWidthUsage);
  if (a[0] != "data" && a[0] != "range")
    throw ScriptError(std::string("usage: ") + kInitialWidthUsage);
  SetInitialWidthFromData(s.view, a[0] == "data");
}

void Fit(ScriptSession& s, const Args& a) {
  ExpectCount(a, 0, 0, "fit");
  if (!s.view.IsLsqStartEnabled()) return ReportDisabled(s, "fit");
  OnLsqStart(s.view);
}

void SaveResult(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 1, "save-result PATH");
  if (!s.view.IsSaveResultEnabled()) return ReportDisabled(s, "save-result");
  s.host.savePath = a[0];
  OnSaveResult(s.view);
}

void SaveTxt(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 1, "save-txt PATH");
  s.host.savePath = a[0];
  OnFileSave(s.view);
}

void SaveDat(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 1, "save-dat PATH");
  s.host.savePath = a[0];
  OnFileSaveAs(s.view);
}

// The peak table of the fit on screen as CSV: on the output, or saved to
// PATH. Why a cell is empty goes to the error stream, "note: TEXT" a line.
void Report(ScriptSession& s, const Args& a) {
  ExpectCount(a, 0, 1, "report [PATH]");
  const PeakReport* report = s.view.Report();
  if (report == nullptr) return ReportDisabled(s, "report");
  if (a.empty()) {
    s.out << FormatPeakTableCsv(*report);
  } else {
    s.host.savePath = a[0];
    OnSaveReport(s.view);
  }
  for (const std::string& note : report->notes) s.err << "note: " << note << '\n';
}

void FitStats(ScriptSession& s, const Args& a) {
  ExpectCount(a, 0, 0, "fit-stats");
  const PeakReport* report = s.view.Report();
  if (report == nullptr) return ReportDisabled(s, "fit-stats");
  s.out << FormatFitStatisticsJson(report->statistics) << '\n';
}

void Weights(ScriptSession& s, const Args& a) {
  constexpr const char* kUsage = "weights unit|counts|sigma";
  ExpectCount(a, 1, 1, kUsage);
  FitWeights weights = FitWeights::kUnit;
  if (a[0] == "counts") {
    weights = FitWeights::kCounts;
  } else if (a[0] == "sigma") {
    weights = FitWeights::kSigma;
  } else if (a[0] != "unit") {
    throw ScriptError(std::string("usage: ") + kUsage);
  }
  SetFitWeights(s.view, weights);
}

// The correlation matrix of the fit on screen; pairs the data hardly tell
// apart go to the error stream as notes.
void CorrelationsCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 0, 0, "correlations");
  const PeakReport* report = s.view.Report();
  if (report == nullptr) return ReportDisabled(s, "correlations");
  const Correlations correlations = CorrelationsOf(*report);
  s.out << FormatCorrelationsJson(correlations) << '\n';
  for (const std::string& note : correlations.notes) s.err << "note: " << note << '\n';
}

// A wavelength or ratio: a positive finite number.
double ParsePositive(const std::string& text, const char* what) {
  const double v = ParseReal(text);
  if (!(v > 0)) throw ScriptError(std::string(what) + " must be positive: " + text);
  return v;
}

void Wavelength(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 3, "wavelength L1 [L2 [RATIO]]");
  Wavelengths w;
  w.lambda1 = ParsePositive(a[0], "L1");
  if (a.size() > 1) w.lambda2 = ParsePositive(a[1], "L2");
  if (a.size() > 2) w.alpha2Ratio = ParsePositive(a[2], "RATIO");
  SetProfileWavelengths(s.view, w);
}

void Doublet(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 2, kDoubletUsage);
  if (a[0] == "on") {
    std::optional<double> ratio;
    if (a.size() == 2) ratio = ParsePositive(a[1], "RATIO");
    SetDoublet(s.view, true, ratio);
  } else if (a[0] == "off" && a.size() == 1) {
    SetDoublet(s.view, false);
  } else {
    throw ScriptError(std::string("usage: ") + kDoubletUsage);
  }
}

void Scherrer(ScriptSession& s, const Args& a) {
  ExpectCount(a, 2, 2, "scherrer K INSTR_FWHM");
  const double k = ParsePositive(a[0], "K");
  const double instrumental = ParseReal(a[1]);
  if (instrumental < 0) throw ScriptError("INSTR_FWHM must be 0 or more: " + a[1]);
  SetScherrerSettings(s.view, k, instrumental);
}

void FindPeaksCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 0, 2, "find-peaks [MAX [SNR]]");
  const int capacity = s.view.Problem().maxPeaks;
  const int maxPeaks = a.empty() ? capacity : ParseIntIn(a[0], 1, capacity, "MAX");
  const double snr = a.size() > 1 ? ParsePositive(a[1], "SNR") : 3.0;
  if (!IsFindPeaksEnabled(s.view)) return ReportDisabled(s, "find-peaks");
  OnFindPeaks(s.view, maxPeaks, snr);
}

// The Williamson–Hall line of the fit on screen as JSON; why a peak was left
// out or the size is unknown goes to the error stream like the report's notes.
void WilliamsonHallCommand(ScriptSession& s, const Args& a) {
  constexpr const char* kUsage = "williamson-hall [fwhm|integral]";
  if (!a.empty() && (a[0] == "exclude" || a[0] == "include"))
    return WilliamsonHallExclusionCommand(s, a);
  ExpectCount(a, 0, 1, kUsage);
  if (!a.empty() && a[0] != "fwhm" && a[0] != "integral")
    throw ScriptError(std::string("usage: ") + kUsage);
  const BreadthMeasure measure =
      !a.empty() && a[0] == "integral" ? BreadthMeasure::kIntegralBreadth : BreadthMeasure::kFwhm;
  const std::optional<WilliamsonHall> wh = WilliamsonHallOf(s.view, measure);
  if (!wh || !wh->line) return ReportDisabled(s, "williamson-hall");
  s.out << FormatWilliamsonHallJson(*wh) << '\n';
  for (const std::string& note : wh->notes) s.err << "note: " << note << '\n';
}

void Background(ScriptSession& s, const Args& a) {
  constexpr const char* kUsage = "background | background snip [WIDTH]";
  ExpectCount(a, 0, 2, kUsage);
  if (a.empty()) return OnBackRemove(s.view);
  if (a[0] != "snip") throw ScriptError(std::string("usage: ") + kUsage);
  std::optional<double> width;
  if (a.size() == 2) width = ParsePositive(a[1], "WIDTH");
  OnBackSnip(s.view, width);
}

void Polarize(ScriptSession& s, const Args& a) {
  ExpectCount(a, 0, 0, "polarize");
  OnPolarCorrect(s.view);
}

void Render(ScriptSession& s, const Args& a) {
  if (a.size() != 1 && a.size() != 3) throw ScriptError("usage: render PATH [W H]");
  const bool sized = a.size() == 3;
  const int w = sized ? ParseIntIn(a[1], 1, kRenderMaxSide, "W") : plot::kPictureWidth;
  const int h = sized ? ParseIntIn(a[2], 1, kRenderMaxSide, "H") : plot::kPictureHeight;
  if (RefusesWildcardName(s, a[0])) return;
  std::string error;
  const PictureWriters* writers = ThePictureWriters(error);
  if (writers == nullptr || !writers->renderPng(s.view, a[0], w, h, error)) {
    throw ScriptError("cannot write " + a[0] + ": " + error);
  }
}

void State(ScriptSession& s, const Args& a) {
  ExpectCount(a, 0, 0, "state");
  s.out << StateJson(s.view) << '\n';
}

void Info(ScriptSession& s, const Args& a) {
  ExpectCount(a, 0, 0, "info");
  s.out << InfoJson(s.view.GetDocument()) << '\n';
}

void Points(ScriptSession& s, const Args& a) {
  ExpectCount(a, 0, 0, "points");
  const CTavDoc& d = s.view.GetDocument();
  char line[64];
  for (int i = 1; i <= d.m_nData; ++i) {
    std::snprintf(line, sizeof line, "%.17g %.17g\n", d.m_x[i], d.m_y[i]);
    s.out << line;
  }
}

constexpr ScriptCommandEntry kCommands[] = {
    {"open", Open},
    {"open-cancel", OpenCancel},
    {"range-set", RangeSet},
    {"range-reset", RangeReset},
    {"range", Range},
    {"drag", Drag},
    {"peak-mode", PeakMode},
    {"dblclick", DoubleClick},
    {"peak", Peak},
    {"rclick", RightClick},
    {"remove-peak", RemovePeak},
    {"key", Key},
    {"conditions", Conditions},
    {"fit", Fit},
    {"save-result", SaveResult},
    {"save-txt", SaveTxt},
    {"save-dat", SaveDat},
    {"background", Background},
    {"polarize", Polarize},
    {"render", Render},
    {"state", State},
    {"points", Points},
    {"info", Info},
    {"report", Report},
    {"fit-stats", FitStats},
    {"weights", Weights},
    {"fix", FixCommand},
    {"free", FreeCommand},
    {"bound", BoundCommand},
    {"unbound", UnboundCommand},
    {"bounds", BoundsCommand},
    {"share", ShareCommand},
    {"unshare", UnshareCommand},
    {"max-peaks", MaxPeaksCommand},
    {"background-order", BackgroundOrderCommand},
    {"correlations", CorrelationsCommand},
    {"wavelength", Wavelength},
    {"scherrer", Scherrer},
    {"doublet", Doublet},
    {"initial-width", InitialWidth},
    {"find-peaks", FindPeaksCommand},
    {"williamson-hall", WilliamsonHallCommand},
    {"series", SeriesCommand},
    {"series-mode", SeriesModeCommand},
    {"series-jobs", SeriesJobsCommand},
    {"series-shard", SeriesShardCommand},
    {"series-scan", SeriesScanCommand},
    {"view", ViewCommand},
    {"wheel", WheelCommand},
    {"pan", PanCommand},
    {"undo", UndoCommand},
    {"redo", RedoCommand},
    {"step-messages", StepMessagesCommand},
    {"fit-message", FitMessageCommand},
    {"export-plot", ExportPlotCommand},
    {"subtract-background", SubtractBackgroundCommand},
    {"calibrate", CalibrateCommand},
    {"instrument", InstrumentCommand},
    {"goniometer-radius", GoniometerRadiusCommand},
    {"lattice", LatticeCommand},
    {"export-fit", ExportFitCommand},
    {"save-session", SaveSessionCommand},
    {"open-session", OpenSessionCommand},
};

}  // namespace

void ReportDisabled(ScriptSession& s, const char* command) {
  s.out << "disabled: " << command << '\n';
  ++s.quietFailures;
}

bool RefusesWildcardName(ScriptSession& s, const std::string& path) {
  if (!NameHasWildcard(path)) return false;
  s.host.ReportFailure(CannotSaveText(path, WildcardNameReason()));
  return true;
}

const ScriptCommandEntry* FindScriptCommand(std::string_view word) {
  for (const ScriptCommandEntry& entry : kCommands) {
    if (entry.word == word) return &entry;
  }
  return nullptr;
}
