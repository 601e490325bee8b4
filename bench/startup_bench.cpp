// The processor time the programs cost before they do anything: tav-cli with
// an empty script, tav --version and --help, and tav-cli drawing one picture
// (which loads the painting module), each started many times; the time is
// the children's user and system time from getrusage, per start. With
// --check it starts each once and checks that it succeeds.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Case {
  const char* figure;
  std::vector<std::string> arguments;  // the program, then its arguments
};

double ChildrenSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

// Runs the program with its output discarded; false when it does not end
// with status 0.
bool RunOnce(const std::vector<std::string>& arguments) {
  std::fflush(stdout);  // the child must not write what is buffered again
  const pid_t child = fork();
  if (child == 0) {
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    if (std::freopen("/dev/null", "w", stdout) == nullptr) _exit(127);
    if (std::freopen("/dev/null", "w", stderr) == nullptr) _exit(127);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc > 1 && std::string(argv[1]) == "--check";
  const int runs = !check && argc > 1 ? std::atoi(argv[1]) : 200;
  const fs::path folder = fs::read_symlink("/proc/self/exe").parent_path();
  const std::string cli = (folder / "tav-cli").string(), gui = (folder / "tav").string();
  const std::string sample = (fs::path(TAV_SOURCE_DIR) / "data" / "sample.asc").string();
  const std::string picture =
      (fs::temp_directory_path() / ("tav-startup-bench-" + std::to_string(getpid()) + ".png"))
          .string();
  const std::vector<Case> cases = {
      {"cli_empty_script_cpu_ms", {cli, "-e", ""}},
      {"gui_version_cpu_ms", {gui, "--version"}},
      {"gui_help_cpu_ms", {gui, "--help"}},
      {"cli_render_cpu_ms", {cli, "-e", "open rigaku " + sample + "; render " + picture}},
  };
  int failures = 0;
  for (const Case& c : cases) {
    if (!RunOnce(c.arguments)) {
      std::printf("failed: %s\n", c.figure);
      ++failures;
      continue;
    }
    if (check) continue;
    const double before = ChildrenSeconds();
    for (int i = 0; i < runs; ++i) RunOnce(c.arguments);
    std::printf("%s=%.2f\n", c.figure, 1000.0 * (ChildrenSeconds() - before) / runs);
  }
  std::filesystem::remove(picture);
  return failures == 0 ? 0 : 1;
}
