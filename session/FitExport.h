#pragma once

#include <string>

class CTavView;

// The fit on screen as data: one row per point of the fit window with x, y,
// the point's σ, the model, the refined background line, the residual
// y − model, and each peak alone (both lines of it while the doublet is on,
// without the background). Numbers to 17 significant digits; an unknown σ is
// an empty cell. Separated by commas, or by tabs when tabs is true.
std::string FormatFitData(const CTavView& view, bool tabs);

// Whether a file name asks for tab-separated columns (.tsv, .txt).
bool WantsTabs(const std::string& path);

// ﾌｧｲﾙ → フィット結果をデータで書き出す: the save dialog, then the table above,
// written as every save is. Does nothing before a fit.
void OnExportFit(CTavView& view);
