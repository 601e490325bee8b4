#include "view/TavView.h"

void CTavView::OnPolarCorrect() {}
