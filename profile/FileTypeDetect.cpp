#include "profile/FileTypeDetect.h"

#include <fstream>

FileType DetectFileType(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("*COUNT", 0) == 0) return FileType::Rigaku;
  }
  return FileType::Xy;
}
