#include "series/SeriesFit.h"

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "fit/PeakModel.h"
#include "series/SeriesWorker.h"
#include "view/TavView.h"

namespace {

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

// What every thread of a run reads.
struct SeriesRun {
  const SeriesSetup& setup;
  std::vector<std::string> paths;  // sorted
  const SeriesOptions& options;
  const std::atomic<bool>* cancel;

  bool Cancelled() const { return cancel != nullptr && cancel->load(); }
};

// Profiles read ahead, handed from the thread that reads them to the one that
// fits them, at most kCapacity waiting.
class ProfileQueue {
 public:
  static constexpr std::size_t kCapacity = 4;

  // False once the queue is closed (the profile is dropped).
  bool Push(LoadedProfile profile) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&] { return m_closed || m_waiting.size() < kCapacity; });
    if (m_closed) return false;
    m_waiting.push_back(std::move(profile));
    m_changed.notify_all();
    return true;
  }

  // The next profile; none once the queue is closed and empty.
  std::optional<LoadedProfile> Pop() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&] { return m_closed || !m_waiting.empty(); });
    if (m_waiting.empty()) return std::nullopt;
    LoadedProfile profile = std::move(m_waiting.front());
    m_waiting.pop_front();
    m_changed.notify_all();
    return profile;
  }

  void Close() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_closed = true;
    m_changed.notify_all();
  }

 private:
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<LoadedProfile> m_waiting;
  bool m_closed = false;
};

// Starts threads running work, as many as asked for or as the system gives
// (at least one), and waits for them.
void RunThreads(std::size_t count, const std::function<void()>& work) {
  std::vector<std::thread> pool;
  try {
    for (std::size_t t = 0; t < count; ++t) pool.emplace_back(work);
  } catch (const std::system_error&) {
    // Fewer threads than asked for do the same work; none at all cannot.
    if (pool.empty()) throw;
  }
  for (std::thread& thread : pool) thread.join();
}

// One thread fits the files in order, each from the last success; another
// reads the next files meanwhile.
void RunChained(const SeriesRun& run, const std::vector<int>& indexes, ResultCollector& collector) {
  ProfileQueue queue;
  std::thread reader([&] {
    try {
      SeriesWorker worker(run.setup);
      for (const int index : indexes) {
        if (run.Cancelled() || !queue.Push(worker.Load(run.paths[index]))) break;
      }
    } catch (...) {
      collector.Fail(std::current_exception());
    }
    queue.Close();
  });
  try {
    SeriesWorker worker(run.setup);
    for (std::size_t k = 0; k < indexes.size() && !run.Cancelled(); ++k) {
      std::optional<LoadedProfile> profile = queue.Pop();
      if (!profile) break;
      const int index = indexes[k];
      collector.Put(k, worker.Fit(index, run.paths[index], std::move(*profile)));
    }
  } catch (...) {
    collector.Fail(std::current_exception());
  }
  queue.Close();
  reader.join();
}

// Each thread takes the next file not yet taken and fits it from the setup.
void RunIndependent(const SeriesRun& run, const std::vector<int>& indexes,
                    ResultCollector& collector) {
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    try {
      SeriesWorker worker(run.setup);
      for (std::size_t k = next++; k < indexes.size() && !run.Cancelled(); k = next++) {
        const int index = indexes[k];
        worker.Restart();
        collector.Put(k, worker.Fit(index, run.paths[index], worker.Load(run.paths[index])));
      }
    } catch (...) {
      collector.Fail(std::current_exception());
    }
  };
  const auto jobs = static_cast<std::size_t>(std::clamp(run.options.jobs, 1, kMaxSeriesJobs));
  RunThreads(std::max<std::size_t>(1, std::min(jobs, indexes.size())), work);
}

}  // namespace

SeriesSetup SeriesSetupOf(const CTavView& view) {
  SeriesSetup setup;
  setup.state = view.State();
  setup.state.report.reset();
  const CTavDoc& doc = view.GetDocument();
  if (doc.m_wavelengthSource == WavelengthSource::kUser)
    setup.sessionWavelengths = doc.m_wavelengths;
  return setup;
}

std::vector<std::string> SortedSeriesPaths(std::vector<std::string> paths) {
  std::sort(paths.begin(), paths.end());
  return paths;
}

SeriesResult RunSeries(const SeriesSetup& setup, std::vector<std::string> paths,
                       const SeriesOptions& options, const SeriesProgress& progress,
                       const std::atomic<bool>* cancel) {
  SeriesSetup scanSetup = setup;
  scanSetup.scan = options.scan;
  const SeriesRun run{scanSetup, SortedSeriesPaths(std::move(paths)), options, cancel};
  const std::vector<int> indexes = ShardIndexes(run.paths.size(), options);
  ResultCollector collector(indexes.size(), progress);
  if (options.mode == SeriesMode::kChained) {
    RunChained(run, indexes, collector);
  } else {
    RunIndependent(run, indexes, collector);
  }
  return collector.Take(setup.state.peaks.m_nPeak);
}
