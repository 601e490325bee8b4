#pragma once

#include <string>

#include "profile/TavDoc.h"

// The two layouts in which the spectrum is saved, built as text with "\n"
// line ends and no dependence on the process locale.

// X-Y list: the point count, then "X Y" per point with six decimals.
std::string FormatXyList(const CTavDoc& doc);

// RINT-like count file: four empty lines, start, step and stop with the tag
// "from RINT", then the intensities truncated toward zero, ten per line.
std::string FormatCountFile(const CTavDoc& doc);
