#include "view/TavView.h"

void CTavView::OnRangeSet() {}
void CTavView::OnPeakPosition() {}
void CTavView::OnRangeReset() {}
void CTavView::OnRangeInput() {}
void CTavView::OnLButtonDown(int, int) {}
void CTavView::OnLButtonUp(int, int) {}
void CTavView::OnMouseMove(int, int) {}
void CTavView::OnLButtonDblClk(int, int) {}
void CTavView::OnRButtonDown(int, int) {}
void CTavView::OnKeyDown(unsigned) {}
void CTavView::AppendPeakAt(double, double) {}
bool CTavView::IsRangeSetChecked() const { return false; }
bool CTavView::IsPeakPositionChecked() const { return false; }
bool CTavView::IsLsqStartEnabled() const { return m_nPeak > 0; }
bool CTavView::IsSaveResultEnabled() const { return m_bFitted == 1; }
