#include "commands/Commands.h"
#include "commands/SaveThroughDialog.h"
#include "view/ResultFormat.h"
#include "view/TavView.h"

void OnSaveResult(CTavView& view) {
  SaveThroughDialog(view.GetHost(), [&view] { return FormatFitResult(view); });
}
