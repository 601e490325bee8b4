#pragma once

#include <string>

// A number as the screen shows it: 8 significant digits, decimal notation
// where the exponent allows, exponent notation otherwise, trailing zeros
// suppressed (12.5 -> "12.5", -1234.56789 -> "-1234.5679").
std::string NumberText(double value);
