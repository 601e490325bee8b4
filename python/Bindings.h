#pragma once

#include <pybind11/pybind11.h>

#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "profile/TavDoc.h"
#include "python/FitSession.h"

// The pieces of the Python module `tav`, one file each; TavModule.cpp puts
// them together. Every computation is the C++ libraries' own: these files
// only convert between Python and them.

// tav.FormatError: a reader refused a file (the reader's message).
struct FormatError : std::runtime_error {
  using std::runtime_error::runtime_error;
};
// tav.FitError: a fit or an analysis could not be made (the program's message).
struct FitError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A profile as read, shared by the arrays that look into it.
struct PyProfile {
  std::shared_ptr<const CTavDoc> doc;
  std::vector<std::string> messages;
};

// A fit set up on a profile; run() fits in its session.
struct PyFit {
  std::unique_ptr<FitSession> session;
  // One run at a time on a session (run() lets go of the GIL).
  std::unique_ptr<std::mutex> running = std::make_unique<std::mutex>();
};

// A fit's outcome: a frozen copy of the session after the run.
struct PyFitResult {
  std::shared_ptr<const FitSession> session;
  int runs = 0;
  std::vector<std::string> messages;
};

void BindLanguage(pybind11::module_& m);
void BindProfile(pybind11::module_& m);
void BindFit(pybind11::module_& m);
void BindAnalysis(pybind11::module_& m);
void BindSeries(pybind11::module_& m);

// A number as Python sees a report's cell: None where the value is unknown or
// not finite.
pybind11::object NumberOrNone(double value);
