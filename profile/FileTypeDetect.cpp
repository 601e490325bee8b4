#include "profile/FileTypeDetect.h"

#include "profile/TextSource.h"

FileType DetectFileType(const std::string& path) {
  std::string text;
  std::string error;
  if (!LoadProfileText(path, text, error)) return FileType::Xy;
  LineReader reader(text);
  std::string_view line;
  while (reader.Next(line)) {
    if (line.starts_with("*COUNT")) return FileType::Rigaku;
  }
  return FileType::Xy;
}
