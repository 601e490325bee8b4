#include <string>

#include "commands/Commands.h"
#include "commands/SaveThroughDialog.h"
#include "profile/AtomicFile.h"
#include "profile/ProfileWriters.h"
#include "text/Translate.h"
#include "view/Host.h"
#include "view/TavView.h"

bool NameHasWildcard(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  return path.find_first_of("*?[", nameStart) != std::string::npos;
}

std::string WildcardNameReason() {
  return Translated(
      QT_TRANSLATE_NOOP("tav", "ファイル名にワイルドカード文字 (*, ?, [) があります"));
}

std::string CannotSaveText(const std::string& path, const std::string& reason) {
  return TranslatedFormat(QT_TRANSLATE_NOOP("tav", "ファイルを保存できません: %1 (%2)"),
                          {path, reason});
}

// The dialog starts with the pattern of the files it lists.
void SaveThroughDialog(Host& host, const std::function<std::string()>& makeContents,
                       const std::string& pattern) {
  std::string path = pattern;
  if (!host.SaveFileDialog(path)) return;
  if (NameHasWildcard(path)) return host.ReportFailure(CannotSaveText(path, WildcardNameReason()));
  std::string reason;
  if (!WriteFileReplacing(path, makeContents(), reason)) {
    host.ReportFailure(CannotSaveText(path, reason));
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
