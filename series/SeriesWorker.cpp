#include "series/SeriesWorker.h"

#include <utility>

#include "commands/Commands.h"
#include "commands/PeakFit.h"
#include "text/Translate.h"

namespace {

// The step message of a fit that ran out of step calls.
constexpr const char* kNotConvergedText = QT_TRANSLATE_NOOP("tav", "収束していません");

}  // namespace

SeriesWorker::SeriesWorker(const SeriesSetup& setup) : m_setup(setup), m_view(m_doc, m_host) {
  m_host.AskPlatform(false);
  m_view.AdoptState(m_setup.state);
}

void SeriesWorker::Restart() { m_view.AdoptState(m_setup.state); }

LoadedProfile SeriesWorker::Load(const std::string& path) {
  // Nothing of the file before may stay (a RINT file without *START keeps
  // the document's start).
  m_doc = CTavDoc();
  ForgetMessages();
  const bool read = ReadProfileByContent(m_view, path, m_setup.scan);
  LoadedProfile profile;
  if (!m_host.failures.empty()) {
    profile.failure = m_host.failures.front();
  } else if (!read) {
    profile.failure =
        TranslatedFormat(QT_TRANSLATE_NOOP("tav", "データを読み込めませんでした: %1"), {path});
  } else if (m_setup.sessionWavelengths && m_doc.m_wavelengthSource != WavelengthSource::kFile) {
    m_doc.SetWavelengths(*m_setup.sessionWavelengths, WavelengthSource::kUser);
  }
  profile.doc = std::move(m_doc);
  return profile;
}

SeriesFileResult SeriesWorker::Fit(int index, const std::string& path, LoadedProfile profile) {
  SeriesFileResult result;
  result.index = index;
  result.path = path;
  result.startTime = profile.doc.m_startTime;
  if (!profile.failure.empty()) {
    result.failure = std::move(profile.failure);
    return result;
  }
  m_doc = std::move(profile.doc);
  ForgetMessages();
  const PeakFit fit = FitViewPeaks(m_view, m_host);
  if (!fit.Succeeded()) {
    result.failure = fit.failure;
  } else if (!fit.outcome.converged) {
    result.failure = Translated(kNotConvergedText);
  } else {
    m_view.MarkFitted();
    m_view.StoreFittedParameters(fit.a, fit.background);
    result.report = ReportOfFit(m_view, fit);
  }
  return result;
}

void SeriesWorker::ForgetMessages() {
  m_host.messages.clear();
  m_host.icons.clear();
  m_host.failures.clear();
}
