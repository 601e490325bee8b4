// Times a series fit over 500 synthetic profiles of 4000 points, each three
// Lorentzian peaks on a sloping background with counting noise, written once
// as X-Y files to a temporary folder: reading, fit window, fit, report and
// CSV, chained and independent on two threads. Prints the median (and the
// fastest) of several runs per file. With --check it times nothing and
// checks instead, on fewer files, that every file fits, that the fits find
// the peaks, and that the independent run gives the same rows on one thread
// as on two.
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "commands/Commands.h"
#include "fit/PeakModel.h"
#include "profile/TavDoc.h"
#include "series/SeriesCsv.h"
#include "series/SeriesFit.h"
#include "view/AnsweringHost.h"
#include "view/TavView.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 500;
constexpr int kCheckFiles = 24;
constexpr int kPoints = 4000;
constexpr int kRuns = 7;
constexpr int kSetupFits = 40;
constexpr double kPositions[] = {30.0, 40.0, 50.0};
// How far the peaks move from one file to the next.
constexpr double kDrift = 0.00002;

// The counts of file k: three Lorentzian peaks on 120 − x over 20..60 degrees,
// each count drawn from a Poisson distribution about the model.
std::string MakeProfile(int k, std::mt19937& random) {
  std::string text;
  text.reserve(kPoints * 20);
  char line[64];
  for (int i = 0; i < kPoints; ++i) {
    const double x = 20.0 + 0.01 * i;
    double y = 120.0 - x;
    for (int p = 0; p < 3; ++p) {
      const double u = (x - (kPositions[p] + kDrift * k)) / (0.06 + 0.02 * p);
      y += (3000.0 - 600.0 * p) / (1.0 + u * u);
    }
    std::poisson_distribution<int> counts(y);
    std::snprintf(line, sizeof line, "%.4f %d\n", x, counts(random));
    text += line;
  }
  return text;
}

std::vector<std::string> WriteProfiles(const fs::path& dir, int count) {
  std::mt19937 random(20240611);
  std::vector<std::string> paths;
  for (int k = 0; k < count; ++k) {
    char name[32];
    std::snprintf(name, sizeof name, "scan%04d.xy", k);
    const fs::path path = dir / name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return {};
    const std::string text = MakeProfile(k, random);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    paths.push_back(path.string());
  }
  return paths;
}

// The session a user sets up on the first file: the whole profile as the
// fit window, the three peaks placed a little off, Lorentzian shape, fitted
// until the fit converges.
SeriesSetup SetupOn(const std::string& first) {
  CTavDoc doc;
  AnsweringHost host;
  CTavView view(doc, host);
  ReadProfileByContent(view, first);
  view.TakeLoadedProfile();
  view.OnPeakPosition();
  for (int p = 0; p < 3; ++p) view.AppendPeakAt(kPositions[p] + 0.02, 3000.0 - 600.0 * p);
  for (int fit = 0; fit < kSetupFits; ++fit) {
    OnLsqStart(view);
    if (view.Report() != nullptr && view.Report()->statistics.converged) break;
  }
  return SeriesSetupOf(view);
}

// The wall-clock and the processor time (every thread's) of one run, in ms.
struct RunTimes {
  double wall = 0.0;
  double cpu = 0.0;
};

double ProcessCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

RunTimes Run(const SeriesSetup& setup, const std::vector<std::string>& paths,
             const SeriesOptions& options, const std::string& out) {
  const double cpuStart = ProcessCpuMs();
  const auto start = std::chrono::steady_clock::now();
  const SeriesResult result = RunSeries(setup, paths, options);
  std::string error;
  if (!WriteSeriesCsv(out, result, error)) std::fprintf(stderr, "cannot write %s\n", out.c_str());
  const auto end = std::chrono::steady_clock::now();
  return {std::chrono::duration<double, std::milli>(end - start).count(),
          ProcessCpuMs() - cpuStart};
}

// Per file: the processor time (the median) shows the work done whatever
// else runs on the machine; the wall-clock time is the figure.
void Time(const char* name, const SeriesSetup& setup, const std::vector<std::string>& paths,
          const SeriesOptions& options, const std::string& out) {
  std::vector<double> wall;
  std::vector<double> cpu;
  const auto files = static_cast<double>(paths.size());
  for (int run = 0; run < kRuns; ++run) {
    const RunTimes times = Run(setup, paths, options, out);
    wall.push_back(times.wall / files);
    cpu.push_back(times.cpu / files);
  }
  std::sort(wall.begin(), wall.end());
  std::sort(cpu.begin(), cpu.end());
  std::printf("%s: processor %.3f ms per file, fastest %.3f ms per file\n", name,
              cpu[cpu.size() / 2], wall.front());
  std::printf("%s series_ms_per_file=%.3f\n", name, wall[wall.size() / 2]);
}

SeriesOptions Independent(int jobs) {
  SeriesOptions options;
  options.mode = SeriesMode::kIndependent;
  options.jobs = jobs;
  return options;
}

int Check(const SeriesSetup& setup, const std::vector<std::string>& paths) {
  int faults = 0;
  const SeriesResult chained = RunSeries(setup, paths, SeriesOptions{});
  for (const SeriesFileResult& file : chained.files) {
    if (!file.Succeeded()) {
      std::printf("FAIL: %s: %s\n", file.path.c_str(), file.failure.c_str());
      ++faults;
      continue;
    }
    for (int p = 0; p < 3; ++p) {
      const double position = *file.report->peaks[static_cast<std::size_t>(p)].position.value;
      if (std::fabs(position - (kPositions[p] + kDrift * file.index)) > 0.01) {
        std::printf("FAIL: %s: peak %d at %.6f\n", file.path.c_str(), p + 1, position);
        ++faults;
      }
    }
  }
  if (FormatSeriesCsv(RunSeries(setup, paths, Independent(1))) !=
      FormatSeriesCsv(RunSeries(setup, paths, Independent(2)))) {
    std::printf("FAIL: one and two threads give different rows\n");
    ++faults;
  }
  std::printf(faults == 0 ? "series_bench check passed\n" : "series_bench check FAILED\n");
  return faults == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc > 1 && std::strcmp(argv[1], "--check") == 0;
  const fs::path dir = fs::temp_directory_path() / ("tav-series-bench-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const std::vector<std::string> paths = WriteProfiles(dir, check ? kCheckFiles : kFiles);
  int status = 1;
  if (!paths.empty()) {
    const SeriesSetup setup = SetupOn(paths.front());
    if (check) {
      status = Check(setup, paths);
    } else {
      const std::string out = (dir / "series.csv").string();
      Time("chained", setup, paths, SeriesOptions{}, out);
      Time("independent_2_threads", setup, paths, Independent(2), out);
      status = 0;
    }
  }
  fs::remove_all(dir);
  return status;
}
