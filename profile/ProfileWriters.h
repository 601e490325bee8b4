#pragma once

#include <string>

#include "profile/TavDoc.h"

// The two layouts in which the spectrum is saved, built as text with "\n"
// line ends and no dependence on the process locale.

// X-Y list: the point count, then "X Y" per point with six decimals.
std::string FormatXyList(const CTavDoc& doc);

// RINT-like count file: four empty lines, start, step and stop with the tag
// "from RINT", then the intensities truncated toward zero, ten per line. Each
// number is right-aligned in 8 characters; one of 8 characters or more gets a
// blank before it instead, so that numbers never run together.
std::string FormatCountFile(const CTavDoc& doc);

// Why the spectrum cannot be saved in the layout: a message naming the first
// value written that is not a finite number (X or Y of a point in the X-Y
// list; start, step, stop or Y of a point in the count file), or empty when
// every such value is finite.
std::string XyListUnwritable(const CTavDoc& doc);
std::string CountFileUnwritable(const CTavDoc& doc);

// The message refusing a save because the value that what names is not a
// finite number ("保存できません: WHATが有限の数ではありません (nan)", or inf, -inf);
// empty when it is one.
std::string NotFiniteMessage(const std::string& what, double value);

// The X value's name in such a message, after the name of its point or row
// (" X ", spaced as the Japanese message reads).
std::string XValueName();
