#include "view/TavView.h"

void CTavView::OnFileSave() {}
void CTavView::OnFileSaveAs() {}
