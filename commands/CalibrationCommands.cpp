#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "commands/Calibration.h"
#include "commands/Commands.h"
#include "commands/InstrumentFile.h"
#include "profile/AtomicFile.h"
#include "text/Translate.h"
#include "view/Host.h"
#include "view/TavView.h"

namespace {

// An instrument file is a few hundred bytes; anything much larger is not one.
constexpr std::uintmax_t kMaxInstrumentFileBytes = 1 << 20;

bool Known(const std::optional<double>& v) { return v && std::isfinite(*v); }

void Refuse(CTavView& view, const std::string& text) { view.GetHost().ReportFailure(text); }

std::optional<double> Lambda1(const CTavView& view) {
  return view.GetDocument().m_wavelengths.lambda1;
}

// The calibration with one change, written back; the report follows.
template <typename Change>
void Update(CTavView& view, Change change) {
  CalibrationState calibration = view.Calibration();
  change(calibration);
  view.SetCalibration(std::move(calibration));
  RefreshReport(view);
}

std::optional<CalibrationPeak> CalibrationPeakOf(const PeakResult& r) {
  if (!Known(r.position.value) || !Known(r.position.error) || !Known(r.fwhm.value) ||
      !Known(r.fwhm.error))
    return std::nullopt;
  CalibrationPeak p;
  p.position = *r.position.value;
  p.positionError = *r.position.error;
  p.fwhm = *r.fwhm.value;
  p.fwhmError = *r.fwhm.error;
  p.shape = r.shape != nullptr ? r.shape->function : kNoShape;
  if (Known(r.shapeParameter.value)) p.shapeParameter = r.shapeParameter.value;
  if (Known(r.shapeParameter.error)) p.shapeParameterError = r.shapeParameter.error;
  return p;
}

// The standard's name: the sample the file names, else the file's name.
std::string StandardName(const CTavView& view) {
  const CTavDoc& doc = view.GetDocument();
  if (doc.m_sample && !doc.m_sample->empty()) return *doc.m_sample;
  return std::filesystem::path(doc.m_path).filename().string();
}

std::string UtcNow() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm utc{};
  gmtime_r(&now, &utc);
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return buffer;
}

bool ReadSmallFile(const std::string& path, std::string& text, std::string& error) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) {
    error = ec.message();
    return false;
  }
  if (size > kMaxInstrumentFileBytes) {
    error = "file too large";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open";
    return false;
  }
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

// Whether the fit's positions are not 2θ (a profile in Q, or over another
// axis): calibration and indexing take 2θ alone. Says so when it refuses.
bool RefusesPositionsNotTwoTheta(CTavView& view) {
  const CTavDoc& doc = view.GetDocument();
  if (doc.XIsTwoTheta()) return false;
  Refuse(view, TranslatedFormat(QT_TRANSLATE_NOOP("tav",
                                                  "横軸が 2θ ではないプロファイル (%1 %2) "
                                                  "のピーク位置は校正や指数付けに使えません"),
                                {doc.m_xQuantity, doc.m_xUnit}));
  return true;
}

// The positions to index: the calibration set's, else the fit's (which are
// 2θ only in a profile over 2θ).
std::vector<IndexedPosition> PositionsToIndex(const CTavView& view) {
  std::vector<IndexedPosition> out;
  const CalibrationState& c = view.Calibration();
  if (!c.peaks.empty()) {
    int k = 0;
    for (const CalibrationPeak& p : c.peaks) out.push_back({++k, p.position, p.positionError, {}});
    return out;
  }
  if (!view.GetDocument().XIsTwoTheta()) return out;
  if (const PeakReport* report = view.Report()) {
    for (const PeakResult& r : report->peaks) {
      if (!Known(r.position.value)) continue;
      out.push_back({r.peak,
                     *r.position.value,
                     Known(r.position.error) ? *r.position.error : std::nan(""),
                     {}});
    }
  }
  return out;
}

double CorrectedPosition(const std::optional<PositionCorrection>& correction, double twoTheta) {
  return correction ? twoTheta - correction->ShiftAt(twoTheta) : twoTheta;
}

std::vector<IndexedPosition> IndexWith(const CTavView& view, const UnitCell& cell,
                                       const std::optional<PositionCorrection>& correction,
                                       double lambda) {
  std::vector<IndexedPosition> out = PositionsToIndex(view);
  for (IndexedPosition& p : out) {
    p.assignment = AssignHkl(cell, lambda, CorrectedPosition(correction, p.twoTheta));
  }
  return out;
}

std::vector<IndexedPeak> AssignedPeaks(const std::vector<IndexedPosition>& positions) {
  std::vector<IndexedPeak> peaks;
  for (const IndexedPosition& p : positions) {
    if (p.assignment.kind != HklAssignment::Kind::kAssigned) continue;
    if (!(p.twoThetaError > 0.0) || !std::isfinite(p.twoThetaError)) continue;
    peaks.push_back({p.peak, p.twoTheta, p.twoThetaError, *p.assignment.reflection});
  }
  return peaks;
}

bool SameReflections(const std::vector<IndexedPeak>& a, const std::vector<IndexedPeak>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].peak != b[i].peak || a[i].reflection.terms != b[i].reflection.terms) return false;
  }
  return true;
}

// Each refinement indexes the peaks again with the cell, zero and
// displacement it found, and refines again, until the indexed peaks stay the
// same: a rough starting cell then indexes the high-angle peaks too.
constexpr int kMaxReindexing = 5;

// Indexes the peaks again with the refined cell, zero and displacement and
// refines again, until the indexed set stays. A pass whose refinement fails
// (a newly indexed peak that makes the fit singular or diverge) ends the
// passes with the last refinement that succeeded.
LatticeRefinement Reindexed(const CTavView& view, const UnitCell& start,
                            std::vector<IndexedPeak> peaks, LatticeRefinement last,
                            const RefinementOptions& options) {
  const double lambda = view.GetDocument().m_wavelengths.lambda1.value_or(0.0);
  for (int pass = 0; pass < kMaxReindexing; ++pass) {
    std::vector<IndexedPeak> again = AssignedPeaks(
        IndexWith(view, last.cell,
                  PositionCorrection{last.zero, last.displacementMm, options.radiusMm}, lambda));
    if (SameReflections(again, peaks)) break;
    LatticeRefinementResult next = RefineLattice(start, again, lambda, options);
    if (!next.refinement) break;
    peaks = std::move(again);
    last = std::move(*next.refinement);
  }
  return last;
}

std::string PeakList(const std::vector<int>& peaks) {
  std::string list;
  for (const int k : peaks) list += (list.empty() ? "" : ", ") + std::to_string(k);
  return list;
}

bool Contains(const std::vector<int>& list, int k) {
  return std::find(list.begin(), list.end(), k) != list.end();
}

}  // namespace

void AddCalibrationSettings(const CTavView& view, ReportSettings& settings) {
  const CalibrationState& c = view.Calibration();
  if (c.useInstrument && c.instrument) {
    settings.resolution = c.instrument->resolution;
    settings.resolutionName = c.instrumentPath.empty()
                                  ? Translated(QT_TRANSLATE_NOOP("tav", "（未保存）"))
                                  : c.instrumentPath;
  }
  if (c.correctPositions && c.correction) settings.positionCorrection = c.correction;
}

int AddFitToCalibration(CTavView& view) {
  const PeakReport* report = view.Report();
  if (report == nullptr || RefusesPositionsNotTwoTheta(view)) return 0;
  std::vector<CalibrationPeak> added;
  std::vector<int> skipped;
  for (const PeakResult& r : report->peaks) {
    if (const std::optional<CalibrationPeak> p = CalibrationPeakOf(r)) {
      added.push_back(*p);
    } else {
      skipped.push_back(r.peak);
    }
  }
  if (!skipped.empty()) {
    view.GetHost().MessageBox(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav",
                          "ピーク %1 は位置か半値幅の不確かさが不明のため、校正セットに加えません"),
        {PeakList(skipped)}));
  }
  if (added.empty()) return 0;
  const int count = static_cast<int>(added.size());
  CalibrationState c = view.Calibration();
  c.peaks.insert(c.peaks.end(), added.begin(), added.end());
  view.SetCalibration(std::move(c));
  return count;
}

bool RemoveCalibrationPeak(CTavView& view, int index) {
  const int n = static_cast<int>(view.Calibration().peaks.size());
  if (index < 1 || index > n) {
    Refuse(view, TranslatedFormat(QT_TRANSLATE_NOOP("tav", "校正セットにピーク %1 はありません"),
                                  {std::to_string(index)}));
    return false;
  }
  CalibrationState c = view.Calibration();
  c.peaks.erase(c.peaks.begin() + (index - 1));
  view.SetCalibration(std::move(c));
  return true;
}

void ClearCalibration(CTavView& view) {
  CalibrationState c = view.Calibration();
  c.peaks.clear();
  view.SetCalibration(std::move(c));
}

std::optional<ResolutionFunction> FitInstrumentFunction(CTavView& view) {
  const ResolutionFit fit = FitResolution(view.Calibration().peaks);
  if (!fit.function) {
    Refuse(view, fit.refusal);
    return std::nullopt;
  }
  InstrumentFunction f;
  f.resolution = *fit.function;
  f.wavelength = Lambda1(view);
  f.standard = StandardName(view);
  f.date = UtcNow();
  Update(view, [&](CalibrationState& c) {
    c.instrument = f;
    c.instrumentPath.clear();
  });
  return fit.function;
}

bool SaveInstrumentFunction(CTavView& view, const std::string& path) {
  const CalibrationState& c = view.Calibration();
  if (!c.instrument) {
    Refuse(view, Translated(QT_TRANSLATE_NOOP("tav", "保存する装置関数がありません")));
    return false;
  }
  std::string error;
  if (!WriteFileReplacing(path, FormatInstrumentFile(*c.instrument), error)) {
    Refuse(view,
           TranslatedFormat(QT_TRANSLATE_NOOP("tav", "%1 を保存できません: %2"), {path, error}));
    return false;
  }
  Update(view, [&](CalibrationState& s) { s.instrumentPath = path; });
  return true;
}

bool LoadInstrumentFunction(CTavView& view, const std::string& path) {
  std::string text, error;
  InstrumentFunction f;
  if (!ReadSmallFile(path, text, error) || !ParseInstrumentFile(text, f, error)) {
    Refuse(view, TranslatedFormat(QT_TRANSLATE_NOOP("tav", "装置関数ファイル %1 を読めません: %2"),
                                  {path, error}));
    return false;
  }
  Update(view, [&](CalibrationState& c) {
    c.instrument = f;
    c.instrumentPath = path;
  });
  return true;
}

bool SetInstrumentUse(CTavView& view, bool on) {
  if (on && !view.Calibration().instrument) {
    Refuse(view, Translated(QT_TRANSLATE_NOOP("tav",
                                              "装置関数がないため使えません（calibrate fit か "
                                              "instrument load で用意してください）")));
    return false;
  }
  Update(view, [&](CalibrationState& c) { c.useInstrument = on; });
  return true;
}

void SetGoniometerRadius(CTavView& view, std::optional<double> radiusMm) {
  Update(view, [&](CalibrationState& c) { c.goniometerRadiusMm = radiusMm; });
}

void SetPhase(CTavView& view, const UnitCell& cell) {
  Update(view, [&](CalibrationState& c) {
    c.phase = cell;
    c.correction.reset();
    c.correctPositions = false;
  });
}

std::vector<IndexedPosition> IndexPeaks(const CTavView& view) {
  const CalibrationState& c = view.Calibration();
  const std::optional<double> lambda = Lambda1(view);
  if (!c.phase || !lambda) return {};
  return IndexWith(view, *c.phase, c.correction, *lambda);
}

std::optional<LatticeRefinement> RefinePhase(CTavView& view, bool zero, bool displacement) {
  const CalibrationState& c = view.Calibration();
  if (!c.phase) {
    Refuse(view, Translated(QT_TRANSLATE_NOOP(
                     "tav", "相の格子が設定されていないため、格子定数は精密化できません")));
    return std::nullopt;
  }
  if (c.peaks.empty() && RefusesPositionsNotTwoTheta(view)) return std::nullopt;
  RefinementOptions options;
  options.zero = zero;
  options.displacement = displacement;
  options.radiusMm = c.goniometerRadiusMm.value_or(0.0);
  const double lambda = Lambda1(view).value_or(0.0);
  std::vector<IndexedPeak> peaks = AssignedPeaks(IndexPeaks(view));
  const LatticeRefinementResult result = RefineLattice(*c.phase, peaks, lambda, options);
  if (!result.refinement) {
    Refuse(view, result.refusal);
    return std::nullopt;
  }
  const LatticeRefinement r = Reindexed(view, *c.phase, peaks, *result.refinement, options);
  Update(view, [&](CalibrationState& s) {
    s.phase = r.cell;
    s.correction = PositionCorrection{r.zero, r.displacementMm, options.radiusMm};
  });
  return r;
}

bool SetPositionCorrection(CTavView& view, bool on) {
  if (on && !view.Calibration().correction) {
    Refuse(view, Translated(QT_TRANSLATE_NOOP(
                     "tav", "零点とずれが精密化されていないため、位置を補正できません")));
    return false;
  }
  Update(view, [&](CalibrationState& c) { c.correctPositions = on; });
  return true;
}

bool SetWilliamsonHallExcluded(CTavView& view, const std::vector<int>& peaks, bool excluded) {
  const int n = view.Peaks().m_nPeak;
  for (const int k : peaks) {
    if (k < 1 || k > n) {
      Refuse(view, TranslatedFormat(QT_TRANSLATE_NOOP("tav", "ピーク %1 はありません"),
                                    {std::to_string(k)}));
      return false;
    }
  }
  CalibrationState c = view.Calibration();
  for (const int k : peaks) {
    std::erase(c.williamsonHallExcluded, k);
    std::erase(c.williamsonHallIncluded, k);
    (excluded ? c.williamsonHallExcluded : c.williamsonHallIncluded).push_back(k);
  }
  view.SetCalibration(std::move(c));
  return true;
}

bool IsExcludedFromWilliamsonHall(const CTavView& view, int peak) {
  const CalibrationState& c = view.Calibration();
  if (Contains(c.williamsonHallExcluded, peak)) return true;
  if (Contains(c.williamsonHallIncluded, peak)) return false;
  const std::vector<std::string> labels = HklLabelsOfPeaks(view);
  if (labels.empty() || peak < 1 || peak > static_cast<int>(labels.size())) return false;
  const std::string& label = labels[static_cast<std::size_t>(peak - 1)];
  return label.empty() || label == "?";
}

WilliamsonHall AnalyseWilliamsonHallOf(const CTavView& view, const PeakReport& report,
                                       BreadthMeasure measure) {
  PeakReport kept = report;
  std::vector<std::string> notes;
  const bool phase = !HklLabelsOfPeaks(view).empty();
  std::erase_if(kept.peaks, [&](const PeakResult& r) {
    if (!IsExcludedFromWilliamsonHall(view, r.peak)) return false;
    const bool byUser = Contains(view.Calibration().williamsonHallExcluded, r.peak);
    notes.push_back(TranslatedFormat(
        byUser || !phase
            ? QT_TRANSLATE_NOOP("tav", "ピーク %1: 指定により Williamson–Hall 解析から除きました")
            : QT_TRANSLATE_NOOP(
                  "tav", "ピーク %1: 相の hkl が付かないため、Williamson–Hall 解析から除きました"),
        {std::to_string(r.peak)}));
    return true;
  });
  WilliamsonHall wh = AnalyseWilliamsonHall(kept, ReportSettingsOf(view), measure);
  wh.notes.insert(wh.notes.begin(), notes.begin(), notes.end());
  return wh;
}
