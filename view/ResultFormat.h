#pragma once

#include <string>

class CTavView;

// The result file of the view's peak table and background line: three
// headed sections, then 551 rows sampling each peak plus background, the
// total model and the background across the display range. "\n" line ends,
// numbers as printf's "%f" in the C locale.
std::string FormatFitResult(const CTavView& view);
