#include "view/TavView.h"

void CTavView::OnBackRemove() {}
void CTavView::DrawBackgroundEstimate(Canvas&) const {}
