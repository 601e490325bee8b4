#include "view/Canvas.h"
#include "view/TavView.h"

void CTavView::OnDraw(Canvas& dc) const {
  (void)dc;  // not yet drawn
}
