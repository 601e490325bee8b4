#include "cli/SessionCommands.h"

#include "cli/ScriptError.h"
#include "session/FitExport.h"
#include "session/SessionFile.h"
#include "view/AnsweringHost.h"
#include "view/TavView.h"

void ExportFitCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 1, "export-fit PATH");
  if (!s.view.IsSaveResultEnabled()) return ReportDisabled(s, "export-fit");
  s.host.savePath = a[0];
  OnExportFit(s.view);
}

void SaveSessionCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 2, "save-session PATH [embed]");
  if (a.size() == 2 && a[1] != "embed") throw ScriptError("save-session PATH [embed]");
  s.host.savePath = a[0];
  OnSaveSession(s.view, a.size() == 2);
}

void OpenSessionCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 1, "open-session PATH");
  s.host.openPath = a[0];
  OnOpenSession(s.view);
}
