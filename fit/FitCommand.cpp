#include "view/TavView.h"

void CTavView::OnLsqCondition() {}
void CTavView::OnLsqStart() {}
