#include "python/FitSession.h"

#include "commands/Commands.h"
#include "profile/FileType.h"

namespace {

FileType FileTypeNamed(const std::string& type) {
  if (type == "rigaku") return FileType::Rigaku;
  if (type == "xy") return FileType::Xy;
  return FileType::Auto;
}

}  // namespace

FitSession::FitSession() : m_view(m_doc, m_host) {}

FitSession::FitSession(const CTavDoc& profile) : m_doc(profile), m_view(m_doc, m_host) {
  m_view.TakeLoadedProfile();
}

FitSession::FitSession(const FitSession& other) : m_doc(other.m_doc), m_view(m_doc, m_host) {
  m_view.RestoreState(other.m_view.State());
}

std::optional<ProfileRefused> FitSession::Open(const std::string& type, const std::string& path,
                                               std::optional<int> scan) {
  m_host.fileType = FileTypeNamed(type);
  m_host.openPath = path;
  m_host.scan = scan;
  const std::size_t failuresBefore = m_host.failures.size();
  OnFileOpen(m_view);
  m_host.ClearAnswers();
  if (m_doc.m_format) return std::nullopt;
  ProfileRefused refused;
  refused.message = m_host.failures.size() > failuresBefore ? m_host.failures.back()
                                                            : std::string("no profile: ") + path;
  return refused;
}

void FitSession::SetWindow(double xMin, double xMax) {
  const DisplayRange& r = m_view.Range();
  m_host.range = RangeValues{xMin, xMax, r.m_yMin, r.m_yMax};
  m_view.OnRangeInput();
}

void FitSession::SetProblem(const FitProblem& problem) { m_view.SetFitProblem(problem); }

void FitSession::PlacePeaks(const std::vector<PeakStart>& peaks) {
  if (m_view.Modes().m_bPeakMode != 1) m_view.OnPeakPosition();
  const int first = m_view.Peaks().m_nPeak + 1;
  for (const PeakStart& peak : peaks) m_view.AppendPeakAt(peak.position, peak.height);
  // A starting width is the span's tenth times the peak's width factor.
  ViewState state = m_view.State();
  const double tenth = (state.range.m_xMax - state.range.m_xMin) / 10;
  bool widths = false;
  for (std::size_t i = 0; i < peaks.size(); ++i) {
    if (!peaks[i].width) continue;
    state.peaks.m_widthFactor[static_cast<std::size_t>(first) + i] = *peaks[i].width / tenth;
    widths = true;
  }
  if (widths) m_view.RestoreState(state);
}

std::string FitSession::Fit() {
  const std::size_t failuresBefore = m_host.failures.size();
  OnLsqStart(m_view);
  if (m_host.failures.size() > failuresBefore) return m_host.failures.back();
  if (m_view.Report() == nullptr) return "no fit";
  return {};
}
