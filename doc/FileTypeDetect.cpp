#include "doc/FileTypeDetect.h"

#include <fstream>

int DetectFileType(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("*COUNT", 0) == 0) return 1;
  }
  return 0;
}
