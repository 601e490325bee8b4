#include "view/TavView.h"

void CTavView::OnFileOpen() {}
