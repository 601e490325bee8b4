// Times the profile readers on every file of a folder of measured profiles
// (by default the shared data folder the tests read), each read as the open
// command reads it: the bytes loaded, the format detected, the points parsed.
// Prints, per format, the files, the points and the points per second of the
// whole read (fastest of several), then for the largest X-Y list its
// milliseconds. With --check it times nothing and checks instead that every
// format it finds gives points.
#include <time.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "profile/FileTypeDetect.h"
#include "profile/MeasuredReaders.h"
#include "profile/ProfileReaders.h"
#include "profile/TextSource.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 9;

// Processor time of this process in milliseconds: the figure a loaded
// machine disturbs least.
double ProcessorMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec * 1e-6;
}

// The points of the file's first scan as the open command reads it; 0 when
// it is no profile the program reads.
std::size_t ReadPoints(const std::string& path, ProfileFormat& format) {
  std::string bytes, reason;
  if (!LoadProfileBytes(path, bytes, reason)) return 0;
  const Detection detection = DetectProfileFormat(bytes);
  if (!detection.format) return 0;
  format = *detection.format;
  try {
    switch (format) {
      case ProfileFormat::Rigaku:
        return ReadRigakuProfile(NormalizeText(bytes)).values.size();
      case ProfileFormat::Xy:
        return ReadXyProfile(NormalizeText(bytes), 0, INT_MAX).x.size();
      default:
        return ReadMeasuredProfile(format, bytes).x.size();
    }
  } catch (const ProfileFormatError&) {
    return 0;
  }
}

struct FormatFigures {
  int files = 0;
  std::size_t points = 0;
  double ms = 0.0;
};

// The fastest of kRuns reads of the file, in processor milliseconds.
double FastestReadMs(const std::string& path) {
  double fastest = 1e300;
  for (int run = 0; run < kRuns; ++run) {
    ProfileFormat format{};
    const double t0 = ProcessorMs();
    ReadPoints(path, format);
    fastest = std::min(fastest, ProcessorMs() - t0);
  }
  return fastest;
}

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc > 1 && std::strcmp(argv[1], "--check") == 0;
  const int folderArg = check ? 2 : 1;
  const fs::path folder = argc > folderArg ? fs::path(argv[folderArg]) : fs::path(TAV_SHARED_DATA);
  std::error_code error;
  if (!fs::is_directory(folder, error)) {
    std::printf("no folder %s: skipped\n", folder.c_str());
    return 0;
  }
  std::vector<std::string> paths;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.is_regular_file()) paths.push_back(entry.path().string());
  }
  std::sort(paths.begin(), paths.end());
  std::map<std::string, FormatFigures> figures;
  std::string largestXy;
  std::size_t largestXyPoints = 0;
  bool ok = true;
  for (const std::string& path : paths) {
    ProfileFormat format{};
    const std::size_t points = ReadPoints(path, format);
    if (points == 0) continue;
    FormatFigures& f = figures[FormatName(format)];
    ++f.files;
    f.points += points;
    if (!check) f.ms += FastestReadMs(path);
    if (format == ProfileFormat::Xy && points > largestXyPoints) {
      largestXyPoints = points;
      largestXy = path;
    }
  }
  for (const auto& [name, f] : figures) {
    if (check) {
      std::printf("%s: files=%d points=%zu\n", name.c_str(), f.files, f.points);
      ok = ok && f.points > 0;
    } else {
      std::printf("%s: files=%d points=%zu ms=%.3f points_per_s=%.0f\n", name.c_str(), f.files,
                  f.points, f.ms, f.points / (f.ms * 1e-3));
    }
  }
  if (check) {
    std::printf("check=%s\n", ok && !figures.empty() ? "ok" : "failed");
    return ok && !figures.empty() ? 0 : 1;
  }
  if (!largestXy.empty()) {
    std::printf("largest X-Y list: %s, %zu points\n", largestXy.c_str(), largestXyPoints);
    std::printf("xy_largest_read_ms=%.3f\n", FastestReadMs(largestXy));
  }
  return 0;
}
