// The open command: file type, file, reading settings, then the range.
#include <string>

#include "doc/ProfileReaders.h"
#include "doc/TextSource.h"
#include "view/Host.h"
#include "view/TavView.h"

namespace {

constexpr int kXyData = 0;
constexpr int kRigakuData = 1;

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
    host.MessageBox(NothingReadText(path));
    return false;
  }
  const int available = static_cast<int>(profile.values.size());
  int n = *profile.count;
  if (available < n) {
    host.MessageBox(TruncatedText(path, n, available));
    n = available;
  }
  if (profile.start) doc.m_start = *profile.start;
  if (profile.step) doc.m_step = *profile.step;
  if (profile.stop) doc.m_stop = *profile.stop;
  doc.Reserve(n);
  doc.m_nData = n;
  for (int i = 1; i <= n; ++i) {
    doc.m_y[i] = profile.values[i - 1];
    doc.m_x[i] = (i - 1) * doc.m_step + doc.m_start;
  }
  return true;
}

// Puts an X-Y profile into the document; false when it holds no points.
bool StoreXy(const XyProfile& profile, const std::string& path, CTavDoc& doc, Host& host) {
  const int n = static_cast<int>(profile.x.size());
  if (n == 0) {
    host.MessageBox(NothingReadText(path));
    return false;
  }
  doc.Reserve(n);
  doc.m_nData = n;
  for (int i = 1; i <= n; ++i) {
    doc.m_x[i] = profile.x[i - 1];
    doc.m_y[i] = profile.y[i - 1];
  }
  doc.m_start = doc.m_x[1];
  doc.m_step = n > 1 ? doc.m_x[2] - doc.m_x[1] : 0.0;
  doc.m_stop = doc.m_x[n];
  return true;
}

}  // namespace

void CTavView::OnFileOpen() {
  m_lastLine = 9999;
  int type = kRigakuData;
  int chosen = -1;
  if (m_host.FileTypeDialog(chosen)) type = chosen;

  std::string path = "*.*";
  if (m_host.OpenFileDialog(path) && type != -1) {
    if (type == kXyData) {
      ColumnSettings settings{m_xColumn, m_yColumn, m_skipLines, m_lastLine};
      if (m_host.ColumnDialog(settings)) {
        m_skipLines = settings.skipLines;
        m_lastLine = settings.lastLine;
      }
    }
    std::string text;
    std::string reason;
    if (!LoadProfileText(path, text, reason)) {
      m_host.MessageBox(CannotOpenText(path, reason));
      return;
    }
    const bool stored = type == kXyData
                            ? StoreXy(ReadXyProfile(text, m_skipLines, m_lastLine), path, m_doc, m_host)
                            : StoreRigaku(ReadRigakuProfile(text), path, m_doc, m_host);
    if (!stored) return;
  }

  if (m_doc.m_nData > 0) {
    m_doc.ComputeYExtremes();
    SetRangeFromDocument();
  }
  m_bFitted = 0;
  m_dragState = 2;
  Repaint();
}
