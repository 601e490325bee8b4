#include "series/SeriesFit.h"

#include <algorithm>
#include <cstddef>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "commands/Commands.h"
#include "commands/PeakFit.h"
#include "fit/PeakModel.h"
#include "fit/ScopedPeakShape.h"
#include "profile/TavDoc.h"
#include "view/AnsweringHost.h"
#include "view/TavView.h"

namespace {

// The step message of a fit that ran out of step calls.
constexpr const char* kNotConvergedText = "収束していません";

// A document, a host that answers nothing and shows nothing, and a view over
// them: the files of one worker thread are read into the document and fitted
// in the view, one after the other.
class SeriesWorker {
 public:
  explicit SeriesWorker(const ViewState& start) : m_start(start), m_view(m_doc, m_host) {
    m_host.AskPlatform(false);
    m_view.AdoptState(m_start);
  }

  // The next file starts from the setup's peaks again.
  void Restart() { m_view.AdoptState(m_start); }

  // Reads and fits one file. A success leaves its fitted values in the view,
  // where the next file of a chained series starts from.
  SeriesFileResult Fit(int index, const std::string& path) {
    SeriesFileResult result;
    result.index = index;
    result.path = path;
    ForgetMessages();
    if (!ReadProfileByContent(m_view, path) || !m_host.failures.empty()) {
      result.failure = m_host.failures.empty() ? "?" : m_host.failures.front();
      return result;
    }
    const PeakFit fit = FitViewPeaks(m_view, m_host);
    if (!fit.Succeeded()) {
      result.failure = fit.failure;
    } else if (!fit.outcome.converged) {
      result.failure = kNotConvergedText;
    } else {
      m_view.MarkFitted();
      m_view.StoreFittedParameters(fit.a);
      result.report = ReportOfFit(m_view, fit);
    }
    return result;
  }

 private:
  void ForgetMessages() {
    m_host.messages.clear();
    m_host.icons.clear();
    m_host.failures.clear();
  }

  const ViewState& m_start;
  CTavDoc m_doc;
  AnsweringHost m_host;
  CTavView m_view;
};

// Where the threads of a run put their results, and who is told.
class ResultCollector {
 public:
  ResultCollector(std::size_t count, const SeriesProgress& progress)
      : m_slots(count), m_progress(progress) {}

  void Put(std::size_t slot, SeriesFileResult result) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_slots[slot] = std::move(result);
    ++m_done;
    if (m_progress) m_progress(*m_slots[slot], m_done, static_cast<int>(m_slots.size()));
  }

  // A failure that escaped a thread; the first one is thrown after the run.
  void Fail(std::exception_ptr error) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_error) m_error = std::move(error);
  }

  SeriesResult Take(int peakCount) {
    if (m_error) std::rethrow_exception(m_error);
    SeriesResult result;
    result.peakCount = peakCount;
    for (std::optional<SeriesFileResult>& slot : m_slots) {
      if (slot) {
        result.files.push_back(std::move(*slot));
      } else {
        result.cancelled = true;
      }
    }
    return result;
  }

 private:
  std::mutex m_mutex;
  std::vector<std::optional<SeriesFileResult>> m_slots;
  const SeriesProgress& m_progress;
  int m_done = 0;
  std::exception_ptr m_error;
};

// The indexes of the sorted list that belong to the shard.
std::vector<int> ShardIndexes(std::size_t count, const SeriesOptions& options) {
  std::vector<int> indexes;
  for (std::size_t i = 0; i < count; ++i) {
    if (static_cast<int>(i % static_cast<std::size_t>(options.shardCount)) == options.shardIndex) {
      indexes.push_back(static_cast<int>(i));
    }
  }
  return indexes;
}

bool Cancelled(const std::atomic<bool>* cancel) { return cancel != nullptr && cancel->load(); }

}  // namespace

SeriesSetup SeriesSetupOf(const CTavView& view) {
  SeriesSetup setup;
  setup.state = view.State();
  setup.state.report.reset();
  setup.shape = g_function;
  return setup;
}

std::vector<std::string> SortedSeriesPaths(std::vector<std::string> paths) {
  std::sort(paths.begin(), paths.end());
  return paths;
}

SeriesResult RunSeries(const SeriesSetup& setup, std::vector<std::string> paths,
                       const SeriesOptions& options, const SeriesProgress& progress,
                       const std::atomic<bool>* cancel) {
  paths = SortedSeriesPaths(std::move(paths));
  const std::vector<int> indexes = ShardIndexes(paths.size(), options);
  ResultCollector collector(indexes.size(), progress);
  std::atomic<std::size_t> next{0};
  const bool chained = options.mode == SeriesMode::kChained;

  // Each thread takes the next file not yet taken; a chained series has one
  // thread, which takes them all in order.
  const auto work = [&] {
    try {
      SeriesWorker worker(setup.state);
      const ScopedPeakShape shape(setup.shape);
      for (std::size_t k = next++; k < indexes.size() && !Cancelled(cancel); k = next++) {
        if (!chained) worker.Restart();
        collector.Put(k, worker.Fit(indexes[k], paths[indexes[k]]));
      }
    } catch (...) {
      collector.Fail(std::current_exception());
    }
  };
  const int jobs = chained ? 1 : std::clamp(options.jobs, 1, kMaxSeriesJobs);
  const std::size_t wanted = static_cast<std::size_t>(jobs);
  const std::size_t threads = std::max<std::size_t>(1, std::min(wanted, indexes.size()));
  std::vector<std::thread> pool;
  try {
    for (std::size_t t = 0; t < threads; ++t) pool.emplace_back(work);
  } catch (const std::system_error&) {
    // Fewer threads than asked for do the same work; none at all cannot.
    if (pool.empty()) throw;
  }
  for (std::thread& thread : pool) thread.join();
  return collector.Take(setup.state.peaks.m_nPeak);
}
