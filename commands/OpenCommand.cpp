// The open command: file type, file, reading settings, then the range.
#include <string>

#include "commands/Commands.h"
#include "profile/ProfileReaders.h"
#include "profile/TextSource.h"
#include "view/Host.h"
#include "view/TavView.h"

namespace {

std::string CannotOpenText(const std::string& path, const std::string& reason) {
  return "ファイルを開けません: " + path + " (" + reason + ")";
}

std::string NothingReadText(const std::string& path) {
  return "データを読み込めませんでした: " + path;
}

std::string TruncatedText(const std::string& path, int count, int read) {
  return "データが途中で終わっています: " + path + " (" + std::to_string(count) + " 点のうち " +
         std::to_string(read) + " 点を読み込みました)";
}

// Puts a RINT profile into the document; false when it holds no points.
bool StoreRigaku(const RigakuProfile& profile, const std::string& path, CTavDoc& doc, Host& host) {
  if (!profile.count || *profile.count <= 0 || profile.values.empty()) {
    host.ReportFailure(NothingReadText(path));
    return false;
  }
  const int available = static_cast<int>(profile.values.size());
  int n = *profile.count;
  if (available < n) {
    host.ReportFailure(TruncatedText(path, n, available));
    n = available;
  }
  if (profile.start) doc.m_start = *profile.start;
  if (profile.step) doc.m_step = *profile.step;
  if (profile.stop) doc.m_stop = *profile.stop;
  doc.SetCounts(profile.values, n);
  return true;
}

// Puts an X-Y profile into the document; false when it holds no points.
bool StoreXy(const XyProfile& profile, const std::string& path, CTavDoc& doc, Host& host) {
  if (profile.x.empty()) {
    host.ReportFailure(NothingReadText(path));
    return false;
  }
  doc.SetPoints(profile.x, profile.y);
  return true;
}

// The column dialog's answer becomes the reading settings; a cancel keeps
// them, apart from the last line, which the dialog always starts at its top.
void AskReadingSettings(CTavView& view) {
  const ReadingSettings& r = view.Reading();
  ColumnSettings settings{r.m_xColumn, r.m_yColumn, r.m_skipLines, r.m_lastLine};
  if (view.GetHost().ColumnDialog(settings)) {
    view.SetReadingSettings(settings.skipLines, settings.lastLine);
  }
}

// Reads path as type into the document; false, with a message, when nothing
// was stored.
bool ReadProfile(CTavView& view, const std::string& path, FileType type) {
  Host& host = view.GetHost();
  std::string text;
  std::string reason;
  if (!LoadProfileText(path, text, reason)) {
    host.ReportFailure(CannotOpenText(path, reason));
    return false;
  }
  const ReadingSettings& r = view.Reading();
  CTavDoc& doc = view.GetDocument();
  return type == FileType::Xy
             ? StoreXy(ReadXyProfile(text, r.m_skipLines, r.m_lastLine), path, doc, host)
             : StoreRigaku(ReadRigakuProfile(text), path, doc, host);
}

}  // namespace

void OnFileOpen(CTavView& view) {
  Host& host = view.GetHost();
  view.SetReadingSettings(view.Reading().m_skipLines, limits::kLastLineMax);
  FileType type = FileType::Rigaku;
  FileType chosen = FileType::None;
  if (host.FileTypeDialog(chosen)) type = chosen;

  std::string path = "*.*";
  if (host.OpenFileDialog(path) && type != FileType::None) {
    if (type == FileType::Xy) AskReadingSettings(view);
    if (!ReadProfile(view, path, type)) return;
  }
  view.TakeLoadedProfile();
  view.Repaint();
}
