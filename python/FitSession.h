#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fit/FitProblem.h"
#include "profile/TavDoc.h"
#include "view/AnsweringHost.h"
#include "view/TavView.h"

// One profile with its own view, driven through the handlers tav-cli calls:
// the profile read as `open` reads it, the fit window set as `range` sets
// it, the peaks placed as `peak` places them, the fit run as `fit` runs it.
// The host answers nothing and shows nothing; it keeps every message.

// A peak to start from: where it is, the intensity at its top (as a
// double-click places it) and, when given, its starting width.
struct PeakStart {
  double position = 0.0;
  double height = 0.0;
  std::optional<double> width;
};

// Why a profile was not read, with the reader's message.
struct ProfileRefused {
  std::string message;
};

class FitSession {
 public:
  // An empty document.
  FitSession();
  // A view over a copy of profile, its range the whole profile.
  explicit FitSession(const CTavDoc& profile);
  // The other session's document and whole view state, report included.
  FitSession(const FitSession& other);
  FitSession& operator=(const FitSession&) = delete;

  // Opens path as `open TYPE PATH [SCAN]` does (type rigaku, xy or auto);
  // the reader's message when nothing was read.
  std::optional<ProfileRefused> Open(const std::string& type, const std::string& path,
                                     std::optional<int> scan);
  // The display range, and so the fit window: xMin..xMax, Y as it is.
  void SetWindow(double xMin, double xMax);
  void SetProblem(const FitProblem& problem);
  // Places the peaks in order; a peak with a width starts from it (under
  // starting widths from the display span).
  void PlacePeaks(const std::vector<PeakStart>& peaks);
  // One fit command: the message of its failure, or empty.
  std::string Fit();

  CTavView& View() { return m_view; }
  const CTavView& View() const { return m_view; }
  const CTavDoc& Document() const { return m_doc; }
  // Every message box and failure so far, in order.
  const std::vector<std::string>& Messages() const { return m_host.messages; }
  const std::vector<std::string>& Failures() const { return m_host.failures; }

 private:
  CTavDoc m_doc;
  AnsweringHost m_host;
  CTavView m_view;
};
