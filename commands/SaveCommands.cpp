#include <string>

#include "commands/Commands.h"
#include "commands/SaveThroughDialog.h"
#include "profile/AtomicFile.h"
#include "profile/ProfileWriters.h"
#include "view/Host.h"
#include "view/TavView.h"

void SaveThroughDialog(Host& host, const std::function<std::string()>& makeContents) {
  std::string path = "*.dat";
  if (!host.SaveFileDialog(path)) return;
  std::string reason;
  if (!WriteFileReplacing(path, makeContents(), reason)) {
    host.ReportFailure("ファイルを保存できません: " + path + " (" + reason + ")");
  }
}

// The spectrum in either layout; nothing in the view or the document changes.
// A spectrum holding a value that is not a finite number is not saved.
void OnFileSave(CTavView& view) {
  if (const std::string problem = XyListUnwritable(view.GetDocument()); !problem.empty()) {
    return view.GetHost().ReportFailure(problem);
  }
  SaveThroughDialog(view.GetHost(), [&view] { return FormatXyList(view.GetDocument()); });
}

void OnFileSaveAs(CTavView& view) {
  if (const std::string problem = CountFileUnwritable(view.GetDocument()); !problem.empty()) {
    return view.GetHost().ReportFailure(problem);
  }
  SaveThroughDialog(view.GetHost(), [&view] { return FormatCountFile(view.GetDocument()); });
}
