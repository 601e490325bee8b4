#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fit/PeakReport.h"
#include "view/ViewState.h"

class CTavView;

// A series fit: one view's peaks, shape, tolerance, fit window and report
// settings fitted in each file of a list, the files in the order of their
// paths.
// - Chained: each file starts from the fitted values of the last file whose
//   fit succeeded, the first from the view's peaks.
// - Independent: every file starts from the view's peaks. The files are
//   shared out to worker threads; each file's result depends on nothing else,
//   so it is the same bit for bit whatever the number of threads.
// A file counts as failed when it cannot be read whole, its fit window holds
// too few points, the fit cannot be made or it does not converge; the series
// goes on with the next file.

enum class SeriesMode { kChained, kIndependent };

constexpr int kMaxSeriesJobs = 256;

struct SeriesOptions {
  SeriesMode mode = SeriesMode::kChained;
  int jobs = 1;  // worker threads of an independent series, 1..kMaxSeriesJobs
  // Only the files whose index ≡ shardIndex (mod shardCount).
  int shardIndex = 0;
  int shardCount = 1;
  // The scan read from each file of several scans, from 1.
  int scan = 1;
};

// What the series takes from the view it starts from: its state with the
// fit problem (shape, tolerance, options), without its report. Every worker
// fits from a copy; the view itself is never touched.
struct SeriesSetup {
  ViewState state;
  // The wavelengths set for the session's profile (with the wavelength
  // command or the dialog), which a file that states none takes.
  std::optional<Wavelengths> sessionWavelengths;
  // The scan read from each file (RunSeries sets it from the options).
  int scan = 1;
};

SeriesSetup SeriesSetupOf(const CTavView& view);

// One file's outcome.
struct SeriesFileResult {
  int index = 0;  // the file's place in the sorted list, from 0
  std::string path;
  std::string failure;               // why it failed, or empty
  std::optional<double> startTime;   // when its scan began, as the file states it
  std::optional<PeakReport> report;  // the fit's report when it succeeded

  bool Succeeded() const { return failure.empty(); }
};

struct SeriesResult {
  int peakCount = 0;  // the peaks of the setup: rows per file
  // The files fitted (all of the shard's, unless cancelled), by index.
  std::vector<SeriesFileResult> files;
  bool cancelled = false;
};

// Called after each file, in the order the files finish, never by two
// threads at once: the file, how many files are done and how many the run
// has.
using SeriesProgress = std::function<void(const SeriesFileResult& file, int done, int total)>;

// The paths sorted as a series orders them (byte by byte).
std::vector<std::string> SortedSeriesPaths(std::vector<std::string> paths);

// Fits the setup's peaks in the files of paths (sorted here; the index of a
// file is its place in the sorted list) that belong to the options' shard.
// Stops before the next file once cancel is set; the files done are kept.
// Runs on threads of its own and changes nothing of the calling thread's.
SeriesResult RunSeries(const SeriesSetup& setup, std::vector<std::string> paths,
                       const SeriesOptions& options, const SeriesProgress& progress = {},
                       const std::atomic<bool>* cancel = nullptr);
