#pragma once

#include <string>
#include <string_view>

// A private temporary folder for one harness process, made on first use and
// removed with what it holds when the process ends normally. Harnesses that
// need files put them here, under fixed names, so a fuzzed input never names
// a path of its own.
class ScratchFolder {
 public:
  // The process's folder.
  static ScratchFolder& Get();

  // The path of a file name in the folder.
  std::string Path(std::string_view name) const;
  // Replaces the file name in the folder with bytes.
  std::string Write(std::string_view name, std::string_view bytes) const;

  ~ScratchFolder();

 private:
  ScratchFolder();
  std::string m_dir;
};
