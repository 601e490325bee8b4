#include <string>

#include "doc/AtomicFile.h"
#include "doc/ProfileWriters.h"
#include "view/Host.h"
#include "view/SaveThroughDialog.h"
#include "view/TavView.h"

void SaveThroughDialog(Host& host, const std::function<std::string()>& makeContents) {
  std::string path = "*.dat";
  if (!host.SaveFileDialog(path)) return;
  std::string reason;
  if (!WriteFileReplacing(path, makeContents(), reason)) {
    host.MessageBox("ファイルを保存できません: " + path + " (" + reason + ")");
  }
}

// The spectrum in either layout; nothing in the view or the document changes.
void CTavView::OnFileSave() {
  SaveThroughDialog(m_host, [this] { return FormatXyList(GetDocument()); });
}

void CTavView::OnFileSaveAs() {
  SaveThroughDialog(m_host, [this] { return FormatCountFile(GetDocument()); });
}
