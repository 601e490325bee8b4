#include "cli/SessionCommands.h"

#include "session/FitExport.h"
#include "view/AnsweringHost.h"
#include "view/TavView.h"

void ExportFitCommand(ScriptSession& s, const Args& a) {
  ExpectCount(a, 1, 1, "export-fit PATH");
  if (!s.view.IsSaveResultEnabled()) return ReportDisabled(s, "export-fit");
  s.host.savePath = a[0];
  OnExportFit(s.view);
}
