#include <string>

#include "doc/AtomicFile.h"
#include "doc/ProfileWriters.h"
#include "view/Host.h"
#include "view/TavView.h"

namespace {

// Asks for a path and writes the spectrum there in the given layout. A failed
// write is reported and leaves any existing file as it was; nothing in the
// view or the document changes.
void SaveProfile(CTavView& view, std::string (*format)(const CTavDoc&)) {
  Host& host = view.GetHost();
  std::string path = "*.dat";
  if (!host.SaveFileDialog(path)) return;
  std::string reason;
  if (!WriteFileReplacing(path, format(view.GetDocument()), reason)) {
    host.MessageBox("ファイルを保存できません: " + path + " (" + reason + ")");
  }
}

}  // namespace

void CTavView::OnFileSave() { SaveProfile(*this, FormatXyList); }

void CTavView::OnFileSaveAs() { SaveProfile(*this, FormatCountFile); }
