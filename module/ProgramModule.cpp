#include "module/ProgramModule.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Candidates(const std::string& name) {
  std::error_code failed;
  const fs::path program = fs::read_symlink("/proc/self/exe", failed);
  if (failed) return {};
  const fs::path folder = program.parent_path();
  return {folder / name, (folder / TAV_MODULE_DIR / name).lexically_normal()};
}

}  // namespace

void* ProgramModuleEntry(const std::string& name, const char* entry, std::string& error) {
  for (const fs::path& path : Candidates(name)) {
    std::error_code missing;
    if (!fs::exists(path, missing)) continue;
    // A module loaded before is found again, not loaded twice.
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
      const char* reason = dlerror();
      error = reason != nullptr ? reason : path.string();
      return nullptr;
    }
    void* address = dlsym(module, entry);
    if (address == nullptr) error = path.string() + " has no " + entry;
    return address;
  }
  error = "the module " + name + " is not installed";
  return nullptr;
}
