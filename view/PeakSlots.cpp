#include "view/PeakSlots.h"

#include <algorithm>

namespace {

template <class Slots>
void Rotate(Slots& slots, int k, int n) {
  std::rotate(slots.begin() + k, slots.begin() + k + 1, slots.begin() + n + 1);
}

}  // namespace

void MovePeakSlotToEnd(PeakTable& t, int k) {
  const int n = t.m_nPeak;
  Rotate(t.m_height, k, n);
  Rotate(t.m_position, k, n);
  Rotate(t.m_width, k, n);
  Rotate(t.m_widthFactor, k, n);
  Rotate(t.m_widthFitted, k, n);
  Rotate(t.m_widthFromData, k, n);
  Rotate(t.m_shapeParam, k, n);
  Rotate(t.m_widthRight, k, n);
  Rotate(t.m_shapeParamRight, k, n);
  Rotate(t.m_shapeParamShape, k, n);
}

void RenumberAfterRemoval(std::vector<int>& peaks, int k) {
  std::erase(peaks, k);
  for (int& peak : peaks) {
    if (peak > k) --peak;
  }
}
