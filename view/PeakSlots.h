#pragma once

#include <vector>

#include "view/ViewState.h"

// Moving a peak's slot in the table: every per-slot value of PeakTable moves
// together (a new per-slot array belongs in MovePeakSlotToEnd too).

// Moves slot k's values to slot n and slots k+1..n down by one, n being the
// number of peaks placed; 1 <= k <= n.
void MovePeakSlotToEnd(PeakTable& t, int k);

// Peak numbers after peak k was removed: k itself drops out, the numbers
// above it go down by one.
void RenumberAfterRemoval(std::vector<int>& peaks, int k);
