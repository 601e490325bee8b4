// Times a series fit over 500 synthetic profiles of 4000 points, each three
// Lorentzian peaks on a sloping background with counting noise, written once
// as X-Y files to a temporary folder: reading, fit window, fit, report and
// CSV, chained and independent on two threads. Prints the median (and the
// fastest) of several runs per file. With --check it times nothing and
// checks instead, on fewer files, that every file fits, that the fits find
// the peaks, and that the independent run gives the same rows on one thread
// as on two.
//
// When cfityk (Debian's fityk package) is installed, the timing run also
// times it on the same files in one process, chained as the series is: the
// three Lorentzians and the line defined from the same start, then for each
// file `@0 < 'FILE'` and `@0: fit` from the previous file's result, under
// unit weights as the series fits. Its time per file counts only when both
// reach the same chi-square (to 1e-6) on every file. Without cfityk the
// comparison is left out.
#include <sys/resource.h>
#include <sys/wait.h>
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
#include "view/PeakParameters.h"
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
SeriesSetup SetupOn(const std::string& first, std::vector<double>* start = nullptr) {
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
  if (start != nullptr) {
    start->assign(ParameterCount(view) + 1, 0.0);
    FillFittedParameters(view, start->data());
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
RunTimes Time(const char* name, const SeriesSetup& setup, const std::vector<std::string>& paths,
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
  return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
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

// The file on PATH that runs as name, or empty.
std::string OnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "";
  std::size_t begin = 0;
  while (begin <= dirs.size()) {
    const std::size_t end = std::min(dirs.find(':', begin), dirs.size());
    const fs::path candidate = fs::path(dirs.substr(begin, end - begin)) / name;
    if (end > begin && access(candidate.c_str(), X_OK) == 0) return candidate.string();
    begin = end + 1;
  }
  return {};
}

// The peer's script: the model from a[1..npar] (three Lorentzians of height,
// position and half width, then the line's slope and intercept), then each
// file read and fitted, with its WSSR printed to 15 digits.
std::string PeerScript(const std::vector<double>& a, const std::vector<std::string>& paths) {
  const int npar = static_cast<int>(a.size()) - 1;
  std::string script = "set verbosity = -1\nset numeric_format = '%.15g'\n";
  char line[256];
  std::snprintf(line, sizeof line, "F += Linear(a0=~%.17g, a1=~%.17g)\n", a[npar], a[npar - 1]);
  std::string model = line;
  for (int i = 1; i + 2 < npar - 1; i += 3) {
    std::snprintf(line, sizeof line, "F += Lorentzian(height=~%.17g, center=~%.17g, hwhm=~%.17g)\n",
                  a[i], a[i + 1], a[i + 2]);
    model += line;
  }
  for (std::size_t k = 0; k < paths.size(); ++k) {
    script += "@0 < '" + paths[k] + "'\n@0: S = 1\n";
    if (k == 0) script += model;
    script += "@0: fit\ninfo fit\n";
  }
  return script;
}

// Runs command, its output into out; false when it could not run or failed.
bool RunCommand(const std::string& command, std::string& out) {
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return false;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  const int status = pclose(pipe);
  return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Every "WSSR=" of the peer's output, in order.
std::vector<double> PeerChisq(const std::string& out) {
  std::vector<double> chisq;
  for (std::size_t at = out.find("WSSR="); at != std::string::npos;
       at = out.find("WSSR=", at + 1)) {
    chisq.push_back(std::strtod(out.c_str() + at + 5, nullptr));
  }
  return chisq;
}

double ChildrenCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 + usage.ru_stime.tv_sec * 1e3 +
         usage.ru_stime.tv_usec / 1e3;
}

// The peer's chained loop over the files, beside the series' chained run
// (own: its median wall-clock and processor times per file).
void ComparePeer(const std::string& cfityk, const SeriesSetup& setup,
                 const std::vector<double>& start, const std::vector<std::string>& paths,
                 const fs::path& dir, RunTimes own) {
  const fs::path scriptPath = dir / "peer.fit";
  const std::string script = PeerScript(start, paths);
  std::FILE* file = std::fopen(scriptPath.c_str(), "wb");
  if (file == nullptr) return;
  std::fwrite(script.data(), 1, script.size(), file);
  std::fclose(file);
  const std::string command = cfityk + " -n -q -I '" + scriptPath.string() + "' 2>/dev/null";
  std::vector<double> wall, cpu;
  std::string out;
  for (int run = 0; run < 3; ++run) {
    out.clear();
    const double cpuStart = ChildrenCpuMs();
    const auto t0 = std::chrono::steady_clock::now();
    if (!RunCommand(command, out)) {
      std::printf("peer: cfityk failed\n");
      return;
    }
    wall.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count() /
        paths.size());
    cpu.push_back((ChildrenCpuMs() - cpuStart) / paths.size());
  }
  std::sort(wall.begin(), wall.end());
  std::sort(cpu.begin(), cpu.end());
  const std::vector<double> peer = PeerChisq(out);
  const SeriesResult result = RunSeries(setup, paths, SeriesOptions{});
  std::size_t same = 0;
  for (std::size_t k = 0; k < result.files.size() && k < peer.size(); ++k) {
    const SeriesFileResult& f = result.files[k];
    if (!f.Succeeded()) continue;
    const double chisq = f.report->statistics.chisq;
    if (std::fabs(chisq - peer[k]) <= 1e-6 * std::fabs(peer[k])) ++same;
  }
  std::printf(
      "peer cfityk: processor %.3f ms per file, %.3f ms per file, same chi-square on "
      "%zu of %zu files\n",
      cpu[cpu.size() / 2], wall[wall.size() / 2], same, paths.size());
  if (same == paths.size()) {
    std::printf("peer_speed_ratio=%.2f peer_processor_ratio=%.2f\n",
                wall[wall.size() / 2] / own.wall, cpu[cpu.size() / 2] / own.cpu);
  } else {
    std::printf("peer_speed_ratio=not counted (chi-square differs)\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc > 1 && std::strcmp(argv[1], "--check") == 0;
  const fs::path dir = fs::temp_directory_path() / ("tav-series-bench-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const std::vector<std::string> paths = WriteProfiles(dir, check ? kCheckFiles : kFiles);
  int status = 1;
  if (!paths.empty()) {
    std::vector<double> start;
    const SeriesSetup setup = SetupOn(paths.front(), &start);
    if (check) {
      status = Check(setup, paths);
    } else {
      const std::string out = (dir / "series.csv").string();
      const RunTimes chained = Time("chained", setup, paths, SeriesOptions{}, out);
      Time("independent_2_threads", setup, paths, Independent(2), out);
      const std::string cfityk = OnPath("cfityk");
      if (cfityk.empty()) {
        std::printf("peer: no cfityk, comparison left out\n");
      } else {
        ComparePeer(cfityk, setup, start, paths, dir, chained);
      }
      status = 0;
    }
  }
  fs::remove_all(dir);
  return status;
}
