#pragma once

#include <string>

class CTavView;

// The result file of the view's peak table and background line: three
// headed sections, then 551 rows sampling each peak plus background, the
// total model and the background across the display range. "\n" line ends,
// numbers as printf's "%f" in the C locale.
std::string FormatFitResult(const CTavView& view);

// Why the result file cannot be written: a message naming the first value it
// would hold that is not a finite number (a peak's height, position or width,
// the background's slope or intercept, or a column of a sampled row), or
// empty when every value is finite.
std::string FitResultUnwritable(const CTavView& view);
