#pragma once

#include <optional>
#include <string>

// A measured value written to the precision its standard uncertainty gives:
// the uncertainty rounded to two significant digits and the value to the
// same decimal place, "2103.9 ± 1.2" (123456 ± 1234 -> "123500 ± 1200").
// Without a usable uncertainty (none, zero, not finite) the value alone with
// six significant digits.
std::string UncertainText(double value, std::optional<double> error);
