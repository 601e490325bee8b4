#pragma once

#include <string>

#include "profile/TavDoc.h"
#include "series/SeriesFit.h"
#include "view/AnsweringHost.h"
#include "view/TavView.h"

// A profile read for a series, or why it could not be.
struct LoadedProfile {
  CTavDoc doc;
  std::string failure;  // empty when read whole
};

// A document, a host that answers nothing and shows nothing, and a view over
// them that starts from a series' setup (its view state and the session's
// wavelengths). The files of one thread of a series
// are read into a new document each and fitted in the view, one after the
// other, each with the setup's fit problem.
class SeriesWorker {
 public:
  explicit SeriesWorker(const SeriesSetup& setup);
  SeriesWorker(const SeriesWorker&) = delete;
  SeriesWorker& operator=(const SeriesWorker&) = delete;

  // The next file starts from the setup's peaks again.
  void Restart();
  // Reads path as a series does: by its content, into a new document; a file
  // that states no wavelength takes the session's (else the default).
  LoadedProfile Load(const std::string& path);
  // Fits a profile read by Load (of this worker or another one over the same
  // setup). A success leaves its fitted values in the view, where the next
  // file of a chained series starts from.
  SeriesFileResult Fit(int index, const std::string& path, LoadedProfile profile);

 private:
  void ForgetMessages();

  const SeriesSetup& m_setup;
  CTavDoc m_doc;
  AnsweringHost m_host;
  CTavView m_view;
};
