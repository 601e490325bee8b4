#include "view/TavView.h"

void CTavView::OnSaveResult() {}
