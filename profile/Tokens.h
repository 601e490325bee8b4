#pragma once

#include <string_view>
#include <vector>

// The tokens of a line: a token starts at a character that is neither white
// space (blank, tab, line feed, vertical tab, form feed, carriage return) nor
// a comma and that follows such a separator or the start of the line; it
// runs to the next separator. At most maxTokens are returned.
std::vector<std::string_view> SplitTokens(std::string_view line, std::size_t maxTokens);

// The decimal number at the start of text, as atof reads it: leading white
// space skipped, then [+-]digits[.digits][e[+-]digits]; text without such a
// prefix gives 0. Only decimal notation is read (no hex, inf or nan), and the
// result does not depend on the locale.
double DecimalPrefix(std::string_view text);

// Whether text starts (after white space) with a decimal number.
bool HasDecimalPrefix(std::string_view text);

// The integer at the start of text, as atoi reads it, saturated to the int
// range instead of overflowing.
int IntegerPrefix(std::string_view text);

// The numbers of a list separated as SplitTokens separates tokens, each token
// a whole decimal number (as DecimalPrefix reads it) with a finite value.
// False, with numbers holding those before it, at the first token that is
// not one.
bool ParseNumberList(std::string_view text, std::vector<double>& numbers);
