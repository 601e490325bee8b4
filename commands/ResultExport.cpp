#include <string>

#include "commands/Commands.h"
#include "commands/SaveThroughDialog.h"
#include "view/Host.h"
#include "view/ResultFormat.h"
#include "view/TavView.h"

// A result holding a value that is not a finite number is not saved.
void OnSaveResult(CTavView& view) {
  if (const std::string problem = FitResultUnwritable(view); !problem.empty()) {
    return view.GetHost().ReportFailure(problem);
  }
  SaveThroughDialog(view.GetHost(), [&view] { return FormatFitResult(view); });
}
