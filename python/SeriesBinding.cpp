// tav.series: the fit of a Fit's peaks over a list of files.
#include <pybind11/functional.h>
#include <pybind11/stl.h>

#include <atomic>
#include <chrono>
#include <exception>
#include <future>

#include "python/Bindings.h"
#include "python/ReportRows.h"
#include "series/SeriesCsv.h"
#include "series/SeriesFit.h"

namespace py = pybind11;

namespace {

constexpr std::chrono::milliseconds kSignalCheckInterval{50};

// One dict a file and peak, with the columns of tav-cli's series CSV: a
// failed file's rows hold only its path, index, status and peak number.
void AppendRows(py::list& rows, const std::vector<std::string>& columns,
                const SeriesFileResult& file, int peakCount) {
  const auto row = [&](int peak) {
    py::dict r;
    for (const std::string& c : columns) r[py::str(c)] = py::none();
    r["file"] = file.path;
    r["index"] = file.index;
    r["status"] = file.Succeeded() ? std::string("ok") : "failed: " + file.failure;
    r["peak"] = peak;
    return r;
  };
  if (!file.report) {
    for (int k = 1; k <= peakCount; ++k) rows.append(row(k));
    return;
  }
  const FitStatistics& s = file.report->statistics;
  const std::vector<std::string> reportColumns = ReportColumns();
  for (const PeakResult& peak : file.report->peaks) {
    py::dict r = row(peak.peak);
    const std::vector<py::object> cells = ReportCells(peak);
    for (std::size_t i = 0; i < reportColumns.size(); ++i) r[py::str(reportColumns[i])] = cells[i];
    r["chisq"] = NumberOrNone(s.chisq);
    r["reduced_chisq"] = NumberOrNone(s.reducedChisq);
    r["rwp"] = NumberOrNone(s.rwp);
    rows.append(r);
  }
}

py::list RunSeriesOf(const py::iterable& files, const PyFit& fit, const std::string& mode, int jobs,
                     int scan, const py::object& progress) {
  SeriesOptions options;
  if (mode == "chain") {
    options.mode = SeriesMode::kChained;
  } else if (mode == "independent") {
    options.mode = SeriesMode::kIndependent;
  } else {
    throw py::value_error("mode: chain or independent, not " + mode);
  }
  if (jobs < 1 || jobs > kMaxSeriesJobs) {
    throw py::value_error("jobs must be 1.." + std::to_string(kMaxSeriesJobs));
  }
  if (scan < 1) throw py::value_error("scan counts from 1");
  options.jobs = jobs;
  options.scan = scan;
  std::vector<std::string> paths;
  const py::object fspath = py::module_::import("os").attr("fspath");
  for (const py::handle file : files) paths.push_back(py::str(fspath(file)));
  if (fit.session->View().Peaks().m_nPeak == 0) throw FitError("no peaks to fit");

  std::atomic<bool> cancel = false;
  std::exception_ptr raised;
  // Stops the series before its next file, keeping the first reason.
  const auto stop = [&] {
    if (!raised) raised = std::current_exception();
    cancel = true;
  };
  const SeriesProgress tell = [&](const SeriesFileResult& file, int done, int total) {
    if (progress.is_none()) return;
    py::gil_scoped_acquire acquire;
    if (raised) return;
    try {
      progress(done, total, file.path,
               file.Succeeded() ? std::string("ok") : "failed: " + file.failure);
    } catch (...) {
      stop();
    }
  };
  SeriesResult result;
  {
    py::gil_scoped_release release;
    const std::lock_guard<std::mutex> lock(*fit.running);
    const SeriesSetup setup = SeriesSetupOf(fit.session->View());
    std::future<SeriesResult> running = std::async(std::launch::async, [&] {
      return RunSeries(setup, std::move(paths), options, tell, &cancel);
    });
    // The signal handlers (Ctrl+C) run on this thread, between the waits.
    while (running.wait_for(kSignalCheckInterval) != std::future_status::ready) {
      py::gil_scoped_acquire acquire;
      try {
        if (PyErr_CheckSignals() != 0) throw py::error_already_set();
      } catch (...) {
        stop();
      }
    }
    result = running.get();
  }
  if (raised) std::rethrow_exception(raised);
  const std::vector<std::string> columns = SeriesCells(SeriesResult{}).header;
  py::list rows;
  for (const SeriesFileResult& file : result.files) {
    AppendRows(rows, columns, file, result.peakCount);
  }
  return rows;
}

}  // namespace

void BindSeries(py::module_& m) {
  m.def("series", RunSeriesOf, py::arg("files"), py::arg("fit"), py::arg("mode") = "chain",
        py::arg("jobs") = 1, py::arg("scan") = 1, py::arg("progress") = py::none(),
        "Fits the peaks, shape, options and window of fit in each file, as tav-cli's `series`\n"
        "with `series-mode`, `series-jobs` and `series-scan`: the files in the order of their\n"
        "paths, each read by its content. mode='chain' starts each file from the last one\n"
        "fitted, 'independent' every file from fit's peaks (on jobs threads, the same rows\n"
        "whatever jobs is). A fit that was run starts from its fitted values. Returns one dict\n"
        "a file and peak with the columns of the series CSV (file, index, status, peak, the\n"
        "report's cells, chisq, reduced_chisq, rwp, the split shape's cells); a file that\n"
        "failed has status 'failed: REASON'. progress(done, total, path, status) is called\n"
        "after each file; an exception it raises (or Ctrl+C) stops the series before the next\n"
        "file and is raised here. The GIL is released while the files are fitted.");
}
